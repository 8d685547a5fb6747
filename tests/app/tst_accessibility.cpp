// What a screen reader hears: labels and captioned buttons say their live text; controls without
// text are named by their role; focus is heard only where it is, and a mode that opens is heard
// with its text. (That the changes reach the desktop's accessibility bus is checked end to end,
// in tests/e2e/accessible_names.sh.)
#include "JukeboxFixture.h"
#include "core/SharedTexts.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/playback/PlayerControl.h"
#include "core/PlaylistEntry.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/search/SearchDialog.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"
#include "ui/database/DatabaseOpening.h"
#include "ui/editor/RecordEditor.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

const QList<QStringList> Records = {
    {"The Examples", "First Song", "Pop", "/media/first.wav"},
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
    {"Granite", "Heavy Square", "Rock", "/media/heavy.wav"},
};

QString accessibleName(QObject* control)
{
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<not accessible>");
}

// What the accessibility bus hears while it is installed: each event's kind, object and child.
// Widgets announce only while a screen reader listens, so the recording switches the platform's
// accessibility on, as a screen reader's arrival does, and off again.
class BusRecording
{
public:
    struct Heard
    {
        QAccessible::Event type;
        QObject* object;
        int child;
    };
    BusRecording()
    {
        heard_ = &events;
        previous_ = QAccessible::installUpdateHandler(&BusRecording::record);
        if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
            platform->setActive(true);
    }
    ~BusRecording()
    {
        if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
            platform->setActive(false);
        QAccessible::installUpdateHandler(previous_);
        heard_ = nullptr;
    }
    bool heard(QAccessible::Event type, QObject* object, int child = -2) const
    {
        return std::any_of(events.begin(), events.end(), [&](const Heard& e) {
            return e.type == type && e.object == object && (child == -2 || e.child == child);
        });
    }
    QList<Heard> events;

private:
    static void record(QAccessibleEvent* event)
    {
        if (heard_)
            heard_->append({event->type(), event->object(), event->child()});
    }
    static inline QList<Heard>* heard_ = nullptr;
    QAccessible::UpdateHandler previous_ = nullptr;
};

void showActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void statusLineClocksAndCounterSayWhatTheyShow();
    void noticesAndTheWizardsButtonSayWhatTheyShow();
    void controlsWithoutTextAreNamedByTheirRole();
    void focusIsHeardOnlyWhereItIs();
    void modesAreHeardAsTheyOpen_data();
    void modesAreHeardAsTheyOpen();
    void emptyArtistListSaysHowToOpenADatabase();
};

void TestAccessibility::statusLineClocksAndCounterSayWhatTheyShow()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    w.statusTimer->stop();
    QVERIFY(shownPlaylist(w.playlist).append(entriesOfTexts({"/a.wav", "/b.wav"})) == 2);
    f.player.script.entryCount = 3;
    f.player.script.currentEntry = 2;
    j.playerControl().openEntry(1);
    f.player.script.position = 83.4;
    f.player.script.duration = 200;

    j.updateStatus();

    const QList<std::pair<QLabel*, QString>> said = {
        {w.statusLine, "Artists: 2    Titles: 3    Playlist: 2 files"},
        {w.playtimeLabel, "00:01:23"},
        {w.timeLeftLabel, "00:01:57"},
        {w.entryCounter, "2/3"},
    };
    for (const auto& [label, text] : said) {
        QCOMPARE(label->text(), text);
        QCOMPARE(accessibleName(label), text);
    }
    // Start-up wrote the credit line after the window was made.
    QVERIFY(w.creditLine->text().startsWith("Vexolin V1.77 "));
    QCOMPARE(accessibleName(w.creditLine), w.creditLine->text());
    // What the label is, for the labels whose text is a value.
    QCOMPARE(QAccessible::queryAccessibleInterface(w.playtimeLabel)->text(QAccessible::Description), QString("Play time"));
}

void TestAccessibility::noticesAndTheWizardsButtonSayWhatTheyShow()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    w.statusTimer->stop();

    w.showWaitNotice(ShufflingNotice);
    QCOMPARE(accessibleName(w.waitNotice), ShufflingNotice);
    w.hideWaitNotice();

    j.cdWizard().start();
    QVERIFY(w.playerNotice->text().startsWith("Drag and Drop all artists"));
    QCOMPARE(accessibleName(w.playerNotice), w.playerNotice->text());
    QCOMPARE(accessibleName(w.wizardCancelButton), QString("Cancel"));

    // An empty playlist copied to an empty directory: the wizard is done.
    QVERIFY(QDir(f.dir.path()).mkdir("cd"));
    f.fileDialog.answers = {f.dir.filePath("cd/Set.VxDatabase")};
    j.cdWizard().copySelection();
    QCOMPARE(w.wizardCancelButton->text(), QString("Done"));
    QCOMPARE(accessibleName(w.wizardCancelButton), QString("Done"));
    QCOMPARE(accessibleName(w.playerNotice), CdClosingMessage);
}

void TestAccessibility::controlsWithoutTextAreNamedByTheirRole()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    const QList<std::pair<QObject*, QString>> roles = {
        {w.artistList, "Artists"}, {w.titleList, "Titles"}, {w.playlist, "Playlist"},
        {w.artistField, "Artist"}, {w.titleField, "Title"},
        {w.playButton, "Play"}, {w.nextEntryButton, "Next playlist entry"}, {w.playerArea, "Player"},
        {j.search().searchField, "Search string"},
    };
    for (const auto& [control, role] : roles)
        QCOMPARE(accessibleName(control), role);
    // Typing in a field leaves its name alone.
    w.artistField->setText("Gran");
    QCOMPARE(accessibleName(w.artistField), QString("Artist"));
    // The genre box is read by its choice, and labelled by its caption, as the fields are.
    QCOMPARE(accessibleName(w.genreFilter), QString("(All genres)"));
    for (const auto& [field, caption] : {std::pair<QWidget*, QLabel*>{w.genreFilter, w.genreCaption},
                                         {w.artistField, w.artistCaption}, {w.titleField, w.titleCaption}}) {
        const auto labels = QAccessible::queryAccessibleInterface(field)->relations(QAccessible::Label);
        QVERIFY2(labels.size() == 1 && labels[0].first->object() == caption, qPrintable(field->objectName()));
    }
    // The small windows' captions are their texts.
    QCOMPARE(accessibleName(j.search().titlesOption), QString("Titles"));
    QCOMPARE(accessibleName(j.search().nextButton), QString("Next"));
}

// Moving to the next entry while the focus is on a button: the bus hears the playing row
// selected, and no focus anywhere but on the button. In the list itself, a row moved to has it.
void TestAccessibility::focusIsHeardOnlyWhereItIs()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    w.statusTimer->stop();
    QCOMPARE(j.playlist().append(entriesOfTexts({"/a.wav", "/b.wav", "/c.wav"})), 3);
    showActive(w);
    j.playerControl().playEntry(1);
    j.updateStatus();
    w.stopButton->setFocus();
    BusRecording bus;
    QVERIFY(QAccessible::isActive());

    j.playerControl().requestNextEntry();
    j.updateStatus();

    QCOMPARE(w.playlist->currentRow(), 1);
    QCOMPARE(QApplication::focusWidget(), w.stopButton);
    QVERIFY(bus.heard(QAccessible::SelectionAdd, w.playlist, 1));
    for (const BusRecording::Heard& e : bus.events)
        QVERIFY2(e.type != QAccessible::Focus || e.object == w.stopButton, qPrintable(e.object->objectName()));

    w.playlist->setFocus();
    bus.events.clear();
    QTest::keyClick(w.playlist, Qt::Key_Down);
    QCOMPARE(w.playlist->currentRow(), 2);
    QVERIFY(bus.heard(QAccessible::Focus, w.playlist, 2));
}

void TestAccessibility::modesAreHeardAsTheyOpen_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("told"); // the control whose text is read with it
    QTest::newRow("database check") << "checkDatabaseAction" << "missingList" << "checkCaption";
    QTest::newRow("CD wizard") << "createCdAction" << "wizardNextButton" << "playerNotice";
}

// Opening a mode: the bus hears the focus go to its first control, which carries the mode's text
// as its description; leaving gives the control its own description back.
void TestAccessibility::modesAreHeardAsTheyOpen()
{
    QFETCH(QString, item);
    QFETCH(QString, first);
    QFETCH(QString, told);
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    w.statusTimer->stop();
    showActive(w);
    auto* control = w.client->findChild<QWidget*>(first);
    const QString ownDescription = control->accessibleDescription();
    BusRecording bus;

    w.findChild<QAction*>(item)->trigger();

    QVERIFY(bus.heard(QAccessible::Focus, control));
    const QString text = w.client->findChild<QLabel*>(told)->text();
    QVERIFY(!text.isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description), text);
    QTest::keyClick(control, Qt::Key_Escape);
    QCOMPARE(j.mode().current(), WindowMode::Normal);
    QCOMPARE(control->accessibleDescription(), ownDescription);
}

// While no database is open the empty artist list says how to open or make one, on the screen
// and to a screen reader; the first record takes its place, and an open database leaves it out.
void TestAccessibility::emptyArtistListSaysHowToOpenADatabase()
{
    JukeboxFixture f;
    Jukebox& j = f.start();
    MainWindow& w = f.window();
    const QString hint = w.artistList->placeholderText();
    QVERIFY(hint.contains("File > Open Database") && hint.contains("Database > New"));
    QCOMPARE(QAccessible::queryAccessibleInterface(w.artistList)->text(QAccessible::Description), hint);

    // An empty database, just made: open, with nothing to list.
    f.fileDialog.answers = {f.dir.filePath("Empty.VxDatabase")};
    w.newDatabaseAction->trigger();
    j.editor().finishEditing();
    QCOMPARE(w.artistList->count(), 0);
    QVERIFY(w.artistList->placeholderText().isEmpty());
    QVERIFY(w.artistList->accessibleDescription().isEmpty());

    // A database that could not be opened leaves none open: the line comes back, and goes with
    // the records of the next.
    j.databaseOpening().openDatabase(f.dir.filePath("missing.VxDatabase"));
    QCOMPARE(w.artistList->placeholderText(), hint);
    j.databaseOpening().openDatabase(f.writeDatabase("Lib.VxDatabase", Records));
    QVERIFY(w.artistList->count() > 0);
    QVERIFY(w.artistList->accessibleDescription().isEmpty());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
