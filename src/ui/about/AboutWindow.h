#pragma once

#include <QDialog>

class MainWindow;
class QLabel;

// The About window: five centred lines, shown over the player. A click on it or its losing the
// focus hides it.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(MainWindow& window);

    // The first line: the program's name and version.
    void setTitleText(const QString& text);
    // Places the window over the player and shows it with the focus.
    void showOverPlayer();

    // Line i (0..4) of the window.
    QLabel* line(int i) const { return lines_[i]; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& window_;
    QLabel* lines_[5];
};
