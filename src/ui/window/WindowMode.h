#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class MainWindow;
class QAction;
class QLabel;
class QShortcut;
class QWidget;

// The mode the main window is in: browsing and playing, editing records, checking the database
// for missing files, or running the CD wizard. Only one at a time. Entering a mode shows its
// controls and disables the menu items that would disturb it; leaving it undoes both. Code that
// behaves differently in a mode asks this object.
//
// Entering a mode also moves the keyboard focus to its first control, which a screen reader then
// reads with the mode's text (the check's caption, the wizard's instructions); leaving it gives
// the focus back where it was. Escape leaves the check as its Done does and the wizard as its
// Cancel does.
class WindowMode : public QObject
{
    Q_OBJECT
public:
    enum Mode { Normal, Editing, Checking, CdWizard };

    explicit WindowMode(MainWindow& window);

    Mode current() const { return mode_; }
    bool isEditing() const { return mode_ == Editing; }
    bool isChecking() const { return mode_ == Checking; }
    bool inCdWizard() const { return mode_ == CdWizard; }

    // Enters a mode from Normal.
    void enter(Mode mode);
    // Back to Normal.
    void leave();
    // Escape: clicks the button that closes the check panel or the wizard, when it is enabled.
    void escape();
    // Moves the focus to another control of the mode (Done, when the check found nothing), which
    // then carries the mode's text in the first control's place.
    void moveFocus(QWidget* control);

signals:
    void changed(WindowMode::Mode mode);

private:
    // What a mode changes: the menu items it disables (in this order, and enabled again in the
    // same order), the controls it shows and the controls it hides while it lasts.
    struct Controls
    {
        QList<QAction*> disabledItems;
        QList<QWidget*> shown;
        QList<QWidget*> hidden;
        QWidget* firstControl = nullptr; // takes the focus
        QLabel* text = nullptr;          // read with it
    };
    Controls controlsOf(Mode mode) const;

    // Focus moved to the mode's first control, which is told what the mode is about.
    void focusFirstControl(const Controls& controls);
    // A control's description becomes the mode's text until undescribe() gives its own back.
    void describe(QWidget* control, const Controls& controls);
    void undescribe();

    MainWindow& window_;
    QShortcut* escapeKey_; // taken only while a mode it leaves lasts
    Mode mode_ = Normal;
    // Where the focus was before the mode; the control that carries the mode's text, and its own
    // description.
    QPointer<QWidget> focusBefore_;
    QPointer<QWidget> described_;
    QString describedOwn_;
};
