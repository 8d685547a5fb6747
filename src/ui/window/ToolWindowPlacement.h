#pragma once

class MainWindow;
class QWidget;

// Shows one of the small tool windows (Add url, Search) over the player: centred over it
// horizontally, 2.3 times the player's top plus 1000 twips below the main window's top edge. The
// window comes to the front, active, with the keyboard focus in `focus`.
void showToolWindowOverPlayer(QWidget& window, const MainWindow& mainWindow, QWidget& focus);
