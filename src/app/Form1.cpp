#include "app/Form1.h"

#include "app/AboutWindow.h"
#include "app/ControlInventory.h"
#include "app/ListBox.h"
#include "browser/ArtistTitleLists.h"
#include "cdbuilder/CdWizard.h"
#include "check/MissingFilesCheck.h"
#include "editor/EntryFields.h"
#include "editor/RecordEditor.h"
#include "library/DatabaseLoader.h"
#include "playback/EntryCounter.h"
#include "playback/MediaPlayer.h"
#include "playback/PlayerControl.h"
#include "playback/StatusTimer.h"
#include "playlist/DropBox.h"
#include "playlist/ExternalDrops.h"
#include "playlist/PlaylistEditing.h"
#include "playlist/PlaylistFiles.h"
#include "playlist/Shuffle.h"
#include "search/SearchPart.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QFont fontFor(const ControlSpec& control)
{
    QFont font = control.font == ControlSpec::Courier ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                                   : QApplication::font();
    // Liberation Sans has Arial's widths, close to what the layout was drawn for; without it the
    // desktop's sans serif stands in.
    if (control.font == ControlSpec::Arial)
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), font.family()});
    else if (control.font == ControlSpec::Sans)
        font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), font.family()});
    font.setPointSizeF(control.pointSize);
    font.setBold(control.bold);
    return font;
}

QStyle::StandardPixmap glyphFor(const QString& name)
{
    static const QHash<QString, QStyle::StandardPixmap> glyphs = {
        {"Command1", QStyle::SP_MediaPlay},         {"Command2", QStyle::SP_MediaPause},
        {"Command3", QStyle::SP_MediaStop},         {"Command4", QStyle::SP_MediaSkipBackward},
        {"Command5", QStyle::SP_MediaSkipForward},  {"Command7", QStyle::SP_MediaSeekBackward},
        {"Command8", QStyle::SP_MediaSeekForward},
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
        button->setIcon(parent->style()->standardIcon(glyphFor(QString::fromLatin1(control.name))));
        button->setToolTip(control.role);
        w = button;
        break;
    }
    case ControlSpec::List:
    case ControlSpec::FileList: w = new ListBox(parent); break;
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
    w->setAccessibleName(control.role.isEmpty() ? control.caption : control.role);
    w->setGeometry(twips(control.left), twips(control.top), twips(control.width), twips(control.height));
    w->setFont(fontFor(control));
    w->setEnabled(control.enabled);
    w->setVisible(control.visible);
    return w;
}

} // namespace

Form1::Form1(const Platform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(QIcon(QStringLiteral(":/vexolin.xpm")));
    Image1 = QPixmap(QStringLiteral(":/nodrop.xpm"));
    Image2 = QPixmap(QStringLiteral(":/drop.xpm"));
    createControls();
    createMenus();

    // The client area is fixed: the window cannot be resized or maximised.
    client->setFixedSize(twips(ClientWidthTwips), twips(ClientHeightTwips));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    if (QWidget* video = player().videoWidget())
        MediaPlayer1->layout()->addWidget(video);

    Form2 = new AboutWindow(*this);
    loader = std::make_unique<DatabaseLoader>(*this);
    lists = std::make_unique<ArtistTitleLists>(*this);
    counter = std::make_unique<EntryCounter>(*this);
    editing = std::make_unique<PlaylistEditing>(*this);
    playerControl = std::make_unique<PlayerControl>(*this);
    playlistFiles = std::make_unique<PlaylistFiles>(*this);
    shuffle = std::make_unique<Shuffle>(*this);
    drops = std::make_unique<ExternalDrops>(*this);
    dropBox = std::make_unique<DropBoxPart>(*this);
    editor = std::make_unique<RecordEditor>(*this);
    fields = std::make_unique<EntryFields>(*this);
    search = std::make_unique<SearchPart>(*this);
    check = std::make_unique<MissingFilesCheck>(*this);
    cdWizard = std::make_unique<CdWizard>(*this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    statusTimer = std::make_unique<StatusTimer>(*this);
}

Form1::~Form1()
{
    database.close();
}

void Form1::createControls()
{
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    QHash<QString, QWidget*> made;
    for (const ControlSpec& control : mainWindowControls()) {
        QWidget* parent = *control.parent ? made.value(QString::fromLatin1(control.parent)) : client;
        made.insert(QString::fromLatin1(control.name), makeControl(control, parent));
    }
    auto get = [&made](const char* name) { return made.value(QString::fromLatin1(name)); };
    auto label = [&get](const char* name) { return static_cast<QLabel*>(get(name)); };
    auto list = [&get](const char* name) { return static_cast<QListWidget*>(get(name)); };
    auto button = [&get](const char* name) { return static_cast<QPushButton*>(get(name)); };
    auto text = [&get](const char* name) { return static_cast<QLineEdit*>(get(name)); };

    Label1 = label("Label1"); Label2 = label("Label2"); Label3 = label("Label3");
    Label4 = label("Label4"); Label5 = label("Label5"); Label6 = label("Label6");
    Label7 = label("Label7"); Label8 = label("Label8"); Label9 = label("Label9");
    Label10 = label("Label10"); Label11 = label("Label11"); Label12 = label("Label12");
    Label13 = label("Label13"); Label14 = label("Label14"); Label15 = label("Label15");
    Label16 = label("Label16"); Label17 = label("Label17");
    Combo1 = static_cast<QComboBox*>(get("Combo1"));
    Text1 = text("Text1"); Text2 = text("Text2"); Text4 = text("Text4");
    List1 = list("List1"); List2 = list("List2"); List3 = list("List3"); List4 = list("List4");
    List5 = list("List5"); List6 = list("List6"); File1 = list("File1");
    Command1 = button("Command1"); Command2 = button("Command2"); Command3 = button("Command3");
    Command4 = button("Command4"); Command5 = button("Command5"); Command6 = button("Command6");
    Command7 = button("Command7"); Command8 = button("Command8"); Command9 = button("Command9");
    Command10 = button("Command10"); Command11 = button("Command11"); Command12 = button("Command12");
    Command13 = button("Command13"); Command14 = button("Command14"); Command15 = button("Command15");
    Command16 = button("Command16");
    Frame1 = static_cast<QFrame*>(get("Frame1"));
    Picture1 = static_cast<QFrame*>(get("Picture1"));
    MediaPlayer1 = get("MediaPlayer1");

    Label11->setWordWrap(true);
    // Rows of one font share one height: showing the playlist lays out one row, not thousands.
    // Long entries are cut at the edge, not elided, so a saved entry looks like the one it came from.
    List3->setUniformItemSizes(true);
    List3->setTextElideMode(Qt::ElideNone);
    Label11->lower();      // lies under the playlist, seen only while the playlist is hidden
    Frame1->lower();       // drawn behind the first transport buttons
    Label12->raise();      // the notice lies over the player
}

void Form1::createMenus()
{
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        return m;
    };
    auto item = [this](QMenu* m, const char* name, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    File = menu("File", tr("File"));
    OpenDatabase = item(File, "OpenDatabase", "Open Database");
    SaveDatabase = item(File, "SaveDatabase", "Save Database");
    SaveDatabase->setVisible(false);
    SaveDatabase->setEnabled(false);
    OpenPlaylist = item(File, "OpenPlaylist", "Open Playlist");
    SavePlaylist = item(File, "SavePlaylist", "Save Playlist");
    Exit = item(File, "Exit", "Exit");

    Search1 = menu("Search1", "Search");
    Search = item(Search1, "Search", "Search");
    Search->setShortcut(QKeySequence(Qt::Key_F3));

    Database = menu("Database", "Database");
    NewVexolin = item(Database, "NewVexolin", "New");
    EditVexolin = item(Database, "EditVexolin", "Edit");
    DatabaseCheck = item(Database, "DatabaseCheck", "Check");

    Playlist = menu("Playlist", "Playlist");
    DropBox = item(Playlist, "DropBox", "Drop Box");
    DropBox->setCheckable(true);
    AddPlaylist = item(Playlist, "AddPlaylist", "Add file(s)");
    PlaylistAddUrl = item(Playlist, "PlaylistAddUrl", "Add url");
    Remove = item(Playlist, "Remove", "Remove");
    RandomPlaylist = item(Playlist, "RandomPlaylist", "Shuffle playlist");
    ClearPlaylist = item(Playlist, "ClearPlaylist", "Clear playlist");

    Create = menu("Create", "Create CD");
    CreateCD = item(Create, "CreateCD", "Create");

    Help = menu("Help", "Help");
    HelpHelp = item(Help, "HelpHelp", "Help");
    AboutHelp = item(Help, "AboutHelp", "About Vexolin");

    Secret1 = menu("Secret1", "Secret1");
    AddFiles = item(Secret1, "AddFiles", "AddFiles");
    Secret1->menuAction()->setVisible(false);

    connect(Exit, &QAction::triggered, this, &Form1::Exit_Click);
    connect(HelpHelp, &QAction::triggered, this, &Form1::HelpHelp_Click);
    connect(AboutHelp, &QAction::triggered, this, &Form1::AboutHelp_Click);
}

void Form1::Form_Load(const QString& commandLine, QSize screenSize)
{
    // 1. Probe the player for entry numbering.
    PlayerHasEntries = false;
    PlayerHasEntries = player().GetCurrentEntry().has_value();
    // 2. Placement.
    adjustSize();
    move(startupPosition(screenSize, frameGeometry().size()));
    // 3, 4. Captions.
    VersionText = Label3->text();
    Label3->setText(QStringLiteral("Vexolin ") + VersionText
                    + QStringLiteral("   -   a media jukebox, first written in 1999 by the Vexolin team"));
    setWindowTitle(QStringLiteral("Vexolin ") + VersionText);
    Form2->setTitleText(QStringLiteral("Vexolin ") + VersionText);
    // 5. Variables.
    PlaylistPosition = 0;
    library.clear();
    // 6. Drag icons.
    ResetDragIcon();
    // 7.
    ArtistSetByTyping = false;
    TitleSetByTyping = false;
    // 8. Seed the random generator from the seconds since midnight.
    random.seed(quint32(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    // 9. "(All genres)", selected, runs the genre filter once on the empty table.
    Combo1->addItem(AllGenres);
    if (Combo1->currentIndex() != 0)
        Combo1->setCurrentIndex(0);
    // 10.
    OpenRequested = false;
    DatabaseChanged = false;
    // 11. The database named on the command line.
    if (commandLineNamesDatabase(commandLine))
        loader->loadAtStartUp(commandLine);
    Timer1->start();
}

QPoint startupPosition(QSize screen, QSize window)
{
    const int left = screen.width() / 2 - window.width() / 2;
    int top = screen.height() / 2 - window.height() / 2;
    if (screen.height() == twips(9000))
        top = 0;
    return {left, top};
}

bool commandLineNamesDatabase(const QString& commandLine)
{
    return commandLine.right(11).compare(QLatin1String(".VXDATABASE"), Qt::CaseInsensitive) == 0;
}

void Form1::beginWait(const QString& notice)
{
    Label11->setText(notice);
    List3->hide();
    repaint();
}

void Form1::endWait()
{
    List3->show();
}

bool Form1::inEditMode() const
{
    return !Command9->isHidden();
}

bool Form1::inCdWizard() const
{
    return !Command16->isHidden();
}

void Form1::CheckTeller()
{
    counter->CheckTeller();
}

void Form1::ResetDragIcon()
{
    dragIcon_ = Image1;
}

void Form1::SetDropIcon()
{
    dragIcon_ = Image2;
}

void Form1::HelpHelp_Click()
{
    shell().openDocument(QStringLiteral("Vexolin.htm"));
}

void Form1::AboutHelp_Click()
{
    Form2->showOverPlayer();
}

void Form1::finishEditBeforeExit()
{
    if (inEditMode())
        Command9->click();
}

void Form1::Exit_Click()
{
    finishEditBeforeExit();
    closingByProgram_ = true;
    close();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Form_QueryUnload: a close the user asked for completes an active edit; the close is never
    // cancelled and open files are flushed.
    if (!closingByProgram_)
        finishEditBeforeExit();
    database.close();
    Form2->hide();
    event->accept();
    QApplication::closeAllWindows();
}
