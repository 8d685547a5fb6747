#pragma once

#include <QList>
#include <QObject>

class MainWindow;
class QAction;
class QWidget;

// The mode the main window is in: browsing and playing, editing records, checking the database
// for missing files, or running the CD wizard. Only one at a time. Entering a mode shows its
// controls and disables the menu items that would disturb it; leaving it undoes both. Code that
// behaves differently in a mode asks this object.
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
    };
    Controls controlsOf(Mode mode) const;

    MainWindow& window_;
    Mode mode_ = Normal;
};
