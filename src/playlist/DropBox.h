#pragma once

#include <QWidget>
#include <memory>

class Form1;
class QLabel;
class DropBoxPart;

// Form5, the Drop Box: a tiny window that stays above all others and takes drops from other
// programs for the main window's playlist, even while that window is covered or minimised.
class DropBoxWindow : public QWidget
{
public:
    explicit DropBoxWindow(DropBoxPart& part);

    QLabel* Picture1; // shows the program's icon; takes drops and double-clicks like the window

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DropBoxPart& part_;
};

// Playlist > Drop Box and the Drop Box window's own handlers.
class DropBoxPart
{
public:
    explicit DropBoxPart(Form1& form);
    ~DropBoxPart();

    // Shows the Drop Box on top and checks the menu item, or hides it and unchecks the item.
    void DropBox_Click();
    // First showing: places the window 300 twips from the screen's top-left corner, with the
    // program's icon in its picture.
    void Form_Load();
    // Losing the focus puts it on top again.
    void Form_LostFocus();
    // A double-click on the window or its picture hides it and unchecks the menu item.
    void Form_DblClick();
    void Picture1_DblClick() { Form_DblClick(); }
    // Closing it from its title bar hides it the same way, so the menu item never stays checked
    // for a window that is gone.
    void Form_Unload() { Form_DblClick(); }

    // The window; null until its first showing. It has no parent, so it stays shown while the
    // main window is minimised.
    std::unique_ptr<DropBoxWindow> Form5;

private:
    Form1& form_;
};

// Puts a window above all normal windows and keeps it there (on = true), or releases it to the
// normal order. The window keeps its place, size and visibility.
void SetOnTop(QWidget* window, bool on);
