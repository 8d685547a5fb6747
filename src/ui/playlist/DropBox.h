#pragma once

#include <QObject>
#include <QWidget>
#include <memory>

class ExternalDrops;
class MainWindow;
class QLabel;

// The Drop Box window: a tiny window that stays above all others and takes drops from other
// programs for the main window's playlist, even while that window is covered or minimised.
class DropBoxWindow : public QWidget
{
    Q_OBJECT
public:
    DropBoxWindow();

    QLabel* const picture; // shows the program's icon; takes drops and double-clicks like the window

signals:
    // A double-click on the window or its picture, or a close from its title bar.
    void dismissed();
    // The window lost the focus.
    void deactivated();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Playlist > Drop Box: shows and hides the Drop Box, keeping the menu item's check mark in line.
class DropBox : public QObject
{
    Q_OBJECT
public:
    DropBox(MainWindow& window, ExternalDrops& drops);
    ~DropBox() override;

    // Shows the Drop Box on top and checks the menu item, or hides it and unchecks the item.
    void toggle();
    // Hides it and unchecks the menu item.
    void dismiss();

    // The window; null until its first showing. It has no parent, so it stays shown while the
    // main window is minimised.
    DropBoxWindow* boxWindow() const { return box_.get(); }

private:
    // First showing: places the window 300 twips from the screen's top-left corner, with the
    // program's icon in its picture.
    void makeWindow();

    MainWindow& window_;
    ExternalDrops& drops_;
    std::unique_ptr<DropBoxWindow> box_;
};

// Puts a window above all normal windows and keeps it there (on = true), or releases it to the
// normal order. The window keeps its place, size and visibility.
void setOnTop(QWidget* window, bool on);
