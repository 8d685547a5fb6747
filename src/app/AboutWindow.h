#pragma once

#include <QDialog>

class QLabel;
class Form1;

// Form2: the About window. Shown over the player; a click on it or its losing the focus hides it.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(Form1& form);

    void setTitleText(const QString& text);
    // Places the window over the player and shows it with the focus.
    void showOverPlayer();

    QLabel* Label10[5];

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form1& form_;
};
