#include "ui/window/MainWindow.h"

#include "ui/window/ControlLayout.h"
#include "ui/window/ListBox.h"
#include "ui/window/TransportGlyphs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

QFont fontFor(const ControlSpec& control)
{
    QFont font = control.font == ControlSpec::Courier ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                                   : QApplication::font();
    // Liberation Sans has Arial's widths, which the layout's control sizes leave room for; without
    // it the desktop's sans serif stands in.
    if (control.font == ControlSpec::Arial)
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), font.family()});
    else if (control.font == ControlSpec::Sans)
        font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), font.family()});
    font.setPointSizeF(control.pointSize);
    font.setBold(control.bold);
    return font;
}

// Whether the control's font differs from the one a control takes by default.
bool hasOwnFont(const ControlSpec& control)
{
    const ControlSpec usual;
    return control.font != usual.font || control.pointSize != usual.pointSize || control.bold != usual.bold;
}

TransportGlyph glyphFor(const QString& name)
{
    static const QHash<QString, TransportGlyph> glyphs = {
        {"playButton", TransportGlyph::Play},
        {"pauseButton", TransportGlyph::Pause},
        {"stopButton", TransportGlyph::Stop},
        {"previousEntryButton", TransportGlyph::PreviousEntry},
        {"nextEntryButton", TransportGlyph::NextEntry},
        {"previousInMediaButton", TransportGlyph::SeekBackward},
        {"nextInMediaButton", TransportGlyph::SeekForward},
    };
    return glyphs.value(name);
}

// Enter clicks a command button that has the focus, as Space does (in a main window, unlike a
// dialog, Qt's buttons ignore Enter unless told).
QPushButton* commandButton(const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(true);
    return button;
}

QWidget* makeControl(const ControlSpec& control, QWidget* parent)
{
    QWidget* w = nullptr;
    switch (control.kind) {
    case ControlSpec::Label: {
        auto* label = new QLabel(control.caption, parent);
        label->setAutoFillBackground(true); // opaque, so a label over the player stays readable
        label->setWordWrap(control.centred);
        if (control.centred)
            label->setAlignment(Qt::AlignCenter);
        else if (control.rightAligned)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        w = label;
        break;
    }
    case ControlSpec::Combo: w = new QComboBox(parent); break;
    case ControlSpec::Text: {
        auto* text = new QLineEdit(control.caption, parent);
        text->setMaxLength(control.maxLength);
        w = text;
        break;
    }
    case ControlSpec::Button: w = commandButton(control.caption, parent); break;
    case ControlSpec::GlyphButton: {
        auto* button = commandButton(QString(), parent);
        button->setIcon(transportIcon(glyphFor(QString::fromLatin1(control.name))));
        button->setToolTip(control.role);
        w = button;
        break;
    }
    case ControlSpec::List: w = new ListBox(parent); break;
    case ControlSpec::Slider: {
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setFocusPolicy(Qt::StrongFocus); // moved by the keyboard too
        slider->setToolTip(control.role);
        w = slider;
        break;
    }
    case ControlSpec::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(QFrame::Box);
        frame->setFrameShadow(QFrame::Sunken);
        w = frame;
        break;
    }
    case ControlSpec::Panel: {
        auto* panel = new QFrame(parent);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setAutoFillBackground(true);
        w = panel;
        break;
    }
    case ControlSpec::Player: {
        w = new QWidget(parent);
        w->setAutoFillBackground(true);
        QPalette black = w->palette();
        black.setColor(QPalette::Window, Qt::black);
        w->setPalette(black);
        auto* layout = new QVBoxLayout(w);
        layout->setContentsMargins(0, 0, 0, 0);
        break;
    }
    }
    w->setObjectName(QString::fromLatin1(control.name));
    // A label's or a captioned button's name is its live text, so a screen reader says what the
    // screen shows (and hears when it changes); the role names only the controls without text.
    if (control.kind == ControlSpec::Label || control.kind == ControlSpec::Button)
        w->setAccessibleDescription(control.role);
    else
        w->setAccessibleName(control.role);
    w->setGeometry(twips(control.left), twips(control.top), twips(control.width), twips(control.height));
    // Most controls take the client area's font as it is: setting it on each again would lay out
    // each one's text twice while the window is made.
    if (hasOwnFont(control))
        w->setFont(fontFor(control));
    w->setEnabled(control.enabled);
    w->setVisible(control.visible);
    return w;
}

// The client area with every control of the layout on it, in layout order (a later control lies
// over an earlier one).
QWidget* makeClientArea(QWidget* window)
{
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(fontFor(ControlSpec{}));
    QHash<QString, QWidget*> made;
    for (const ControlSpec& control : mainWindowLayout()) {
        QWidget* parent = *control.parent ? made.value(QString::fromLatin1(control.parent)) : client;
        made.insert(QString::fromLatin1(control.name), makeControl(control, parent));
    }
    return client;
}

QTimer* makeStatusTimer(QObject* window)
{
    auto* timer = new QTimer(window);
    timer->setObjectName(QStringLiteral("statusTimer"));
    timer->setInterval(100);
    return timer;
}

} // namespace

template <typename T>
T* MainWindow::control(const char* name) const
{
    return client->findChild<T*>(QString::fromLatin1(name));
}

QMenu* MainWindow::addMenu(const char* name, const QString& caption)
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* MainWindow::addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

MainWindow::MainWindow(QWidget* videoWidget, QWidget* parent)
    : QMainWindow(parent),
      client(makeClientArea(this)),
      statusLine(control<QLabel>("statusLine")),
      playtimeCaption(control<QLabel>("playtimeCaption")),
      playtimeLabel(control<QLabel>("playtimeLabel")),
      timeLeftCaption(control<QLabel>("timeLeftCaption")),
      timeLeftLabel(control<QLabel>("timeLeftLabel")),
      genreCaption(control<QLabel>("genreCaption")),
      genreFilter(control<QComboBox>("genreFilter")),
      genreField(control<QLineEdit>("genreField")),
      artistCaption(control<QLabel>("artistCaption")),
      artistField(control<QLineEdit>("artistField")),
      allToPlaylistButton(control<QPushButton>("allToPlaylistButton")),
      artistList(control<ListBox>("artistList")),
      titleCaption(control<QLabel>("titleCaption")),
      titleField(control<QLineEdit>("titleField")),
      showAllButton(control<QPushButton>("showAllButton")),
      titleList(control<ListBox>("titleList")),
      playerArea(control<QWidget>("playerArea")),
      playerNotice(control<QLabel>("playerNotice")),
      positionSlider(control<QSlider>("positionSlider")),
      transportFrame(control<QFrame>("transportFrame")),
      playButton(control<QPushButton>("playButton")),
      pauseButton(control<QPushButton>("pauseButton")),
      stopButton(control<QPushButton>("stopButton")),
      previousEntryButton(control<QPushButton>("previousEntryButton")),
      previousInMediaButton(control<QPushButton>("previousInMediaButton")),
      entryCounter(control<QLabel>("entryCounter")),
      nextInMediaButton(control<QPushButton>("nextInMediaButton")),
      nextEntryButton(control<QPushButton>("nextEntryButton")),
      volumeSlider(control<QSlider>("volumeSlider")),
      playlistCaption(control<QLabel>("playlistCaption")),
      addRecordButton(control<QPushButton>("addRecordButton")),
      removeRecordButton(control<QPushButton>("removeRecordButton")),
      doneEditingButton(control<QPushButton>("doneEditingButton")),
      wizardNextButton(control<QPushButton>("wizardNextButton")),
      wizardCancelButton(control<QPushButton>("wizardCancelButton")),
      waitNotice(control<QLabel>("waitNotice")),
      playlist(control<ListBox>("playlist")),
      creditLine(control<QLabel>("creditLine")),
      checkPanel(control<QFrame>("checkPanel")),
      checkCaption(control<QLabel>("checkCaption")),
      missingList(control<ListBox>("missingList")),
      missingCount(control<QLabel>("missingCount")),
      missingCountCaption(control<QLabel>("missingCountCaption")),
      removeAllMissingButton(control<QPushButton>("removeAllMissingButton")),
      checkDoneButton(control<QPushButton>("checkDoneButton")),
      checkBusyNotice(control<QLabel>("checkBusyNotice")),
      statusTimer(makeStatusTimer(this)),
      fileMenu(addMenu("fileMenu", QStringLiteral("&File"))),
      openDatabaseAction(addItem(fileMenu, "openDatabaseAction", QStringLiteral("&Open Database..."),
                                 QKeySequence(Qt::CTRL | Qt::Key_O))),
      saveDatabaseAction(addItem(fileMenu, "saveDatabaseAction", QStringLiteral("Save Database"))),
      openPlaylistAction(addItem(fileMenu, "openPlaylistAction", QStringLiteral("Open &Playlist..."),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O))),
      savePlaylistAction(addItem(fileMenu, "savePlaylistAction", QStringLiteral("&Save Playlist..."),
                                 QKeySequence(Qt::CTRL | Qt::Key_S))),
      exitAction(addItem(fileMenu, "exitAction", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q))),
      searchMenu(addMenu("searchMenu", QStringLiteral("&Search"))),
      searchAction(addItem(searchMenu, "searchAction", QStringLiteral("&Search..."), QKeySequence(Qt::Key_F3))),
      databaseMenu(addMenu("databaseMenu", QStringLiteral("&Database"))),
      newDatabaseAction(addItem(databaseMenu, "newDatabaseAction", QStringLiteral("&New..."))),
      editDatabaseAction(addItem(databaseMenu, "editDatabaseAction", QStringLiteral("&Edit"))),
      checkDatabaseAction(addItem(databaseMenu, "checkDatabaseAction", QStringLiteral("&Check"))),
      importFolderAction(addItem(databaseMenu, "importFolderAction", QStringLiteral("&Import folder..."))),
      playlistMenu(addMenu("playlistMenu", QStringLiteral("&Playlist"))),
      dropBoxAction(addItem(playlistMenu, "dropBoxAction", QStringLiteral("&Drop Box"))),
      addFilesAction(addItem(playlistMenu, "addFilesAction", QStringLiteral("&Add file(s)..."))),
      addFolderAction(addItem(playlistMenu, "addFolderAction", QStringLiteral("Add f&older..."))),
      addUrlAction(addItem(playlistMenu, "addUrlAction", QStringLiteral("Add &url..."))),
      removeAction(addItem(playlistMenu, "removeAction", QStringLiteral("&Remove"), QKeySequence(Qt::Key_Delete))),
      shufflePlaylistAction(addItem(playlistMenu, "shufflePlaylistAction", QStringLiteral("&Shuffle playlist"))),
      clearPlaylistAction(addItem(playlistMenu, "clearPlaylistAction", QStringLiteral("&Clear playlist"))),
      createCdMenu(addMenu("createCdMenu", QStringLiteral("&Create CD"))),
      createCdAction(addItem(createCdMenu, "createCdAction", QStringLiteral("&Create"))),
      helpMenu(addMenu("helpMenu", QStringLiteral("&Help"))),
      helpAction(addItem(helpMenu, "helpAction", QStringLiteral("&Help"))),
      aboutAction(addItem(helpMenu, "aboutAction", QStringLiteral("&About Vexolin"))),
      hiddenMenu(addMenu("hiddenMenu", QStringLiteral("Secret1"))),
      hiddenAddFilesAction(addItem(hiddenMenu, "hiddenAddFilesAction", QStringLiteral("AddFiles")))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/vexolin.xpm")));
    setCentralWidget(client);

    saveDatabaseAction->setVisible(false);
    saveDatabaseAction->setEnabled(false);
    dropBoxAction->setCheckable(true);
    hiddenMenu->menuAction()->setVisible(false);

    // The captions left of the genre box and the fields label them for assistive technology.
    genreCaption->setBuddy(genreFilter);
    artistCaption->setBuddy(artistField);
    titleCaption->setBuddy(titleField);

    waitNotice->setWordWrap(true);
    // Rows of one font share one height: showing the playlist lays out one row, not thousands.
    // Long entries are cut at the edge, not elided, so a saved entry looks like the one it came from.
    playlist->setUniformItemSizes(true);
    playlist->setTextElideMode(Qt::ElideNone);
    waitNotice->lower();     // lies under the playlist, seen only while the playlist is hidden
    transportFrame->lower(); // drawn behind the first transport buttons
    playerNotice->raise();   // the notice lies over the player

    // The client area is fixed: the window cannot be resized or maximised.
    client->setFixedSize(twips(ClientWidthTwips), twips(ClientHeightTwips));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setUpShortcuts();

    if (videoWidget) {
        playerArea->layout()->addWidget(videoWidget);
        // Native windows stack by their own order: what lies over the player goes on top each
        // time it shows.
        keepAboveVideo(playerNotice);
        keepAboveVideo(checkPanel);
    }
}

void MainWindow::setUpShortcuts()
{
    // Delete removes a playlist entry only where the playlist has the focus: in a field it
    // deletes a character, and on the library lists it has nothing to remove.
    removeAction->setShortcutContext(Qt::WidgetShortcut);
    playlist->addAction(removeAction);
    // F10 opens the first menu, from where the arrow keys reach every other.
    auto* openMenuBar = new QShortcut(QKeySequence(Qt::Key_F10), this);
    openMenuBar->setObjectName(QStringLiteral("openMenuBarShortcut"));
    connect(openMenuBar, &QShortcut::activated, this, [this] { menuBar()->setActiveAction(fileMenu->menuAction()); });
}

void MainWindow::keepAboveVideo(QWidget* overlay)
{
    overlay->setAttribute(Qt::WA_DontCreateNativeAncestors);
    overlay->setAttribute(Qt::WA_NativeWindow);
    overlay->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // (QWidget::raise() leaves the native window where it is when the control is already the
    // topmost of its siblings.)
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        if (QWindow* native = static_cast<QWidget*>(watched)->windowHandle())
            native->raise();
    }
    return QMainWindow::eventFilter(watched, event);
}

QList<QPushButton*> MainWindow::transportButtons() const
{
    return {playButton, pauseButton, stopButton, previousEntryButton, previousInMediaButton, nextInMediaButton, nextEntryButton};
}

void MainWindow::showWaitNotice(const QString& notice)
{
    waitNotice->setText(notice);
    playlist->hide();
    repaint();
}

void MainWindow::hideWaitNotice()
{
    playlist->show();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A close that reaches the window is carried out (an event filter refuses one that must not
    // be): what must be finished is finished now, then every window goes.
    emit closing();
    event->accept();
    QApplication::closeAllWindows();
}
