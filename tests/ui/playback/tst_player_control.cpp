// Opening playlist entries, the transport buttons, the playlist click and the player's events.
#include "JukeboxFixture.h"
#include "app/AboutWindow.h"
#include "core/RecordCode.h"
#include "playback/PlayerControl.h"
#include "playback/StatusTimer.h"
#include "core/PlaylistEntry.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QList<QStringList> Records = {
    {"The Examples", "First Song", "Pop", "/media/first.wav"},
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
    {"Granite", "Heavy Square", "Rock", "/media/heavy.wav"},
};

// A started window with the three records loaded.
Form1& startWithLibrary(JukeboxFixture& f, const QList<QStringList>& records = Records)
{
    Form1& form = f.start(f.writeDatabase("Music.VxDatabase", records));
    if (form.library.recordCount() != records.size())
        qFatal("the test database did not load");
    return form;
}

void setPlaylist(Form1& form, const QStringList& entries)
{
    form.playlist->addItems(entries);
}

QStringList opened(const FakePlayer& player)
{
    return player.calls.filter(QRegularExpression("^Open "));
}

QString padded(const QString& file)
{
    return fixedWidth(file, FileWidth);
}

QString withNbspAt(int index, const QString& tail)
{
    return QString(index, QChar('x')) + NBSP + tail;
}

const QString Warning = QStringLiteral("This database contains already a link to this file/url...");

} // namespace

class TestPlayerControl : public QObject
{
    Q_OBJECT
private slots:
    void opensEachKindOfEntry_data();
    void opensEachKindOfEntry();
    void openingHidesTheAboutWindowAndRefreshesTheCounter();
    void userClickOpensTheRowOnce();
    void keyboardFocusOpensNothing();
    void nothingOpensWhileTheCdWizardRuns();
    void playPauseAndStop();
    void previousAndNextAreOpenedByTheTimer();
    void nextStopsAtTheLastEntry();
    void stepsInsideTheMedia();
    void endOfStreamPlaysThePlaylistThrough();
    void endOfStreamStartsAtTheFirstEntry();
    void endOfStreamWithEmptyPlaylistDoesNothing();
    void endOfStreamInEditModeStops();
    void newStreamRefreshesTheCounter();
    void playerErrorIsShown();
    void duplicateCheckInEditMode_data();
    void duplicateCheckInEditMode();
    void duplicateCheckRunsOnceWhenTheTimerMovesTheSelection();
    void duplicateCheckFillsTheTitleAgainForTheSameFile();
};

void TestPlayerControl::opensEachKindOfEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("openedPath"); // empty: nothing opened
    QTest::addColumn<QString>("title");

    LibraryTable table;
    for (const QStringList& r : Records)
        table.append(LibraryRecord::fromTexts(r[0], r[1], r[2], r[3]));

    QTest::newRow("library entry") << libraryEntry(table, 2) << padded("/media/stone.wav")
                                   << "Vexolin: Granite - Stone Cold";
    QTest::newRow("library entry of a record past the table")
        << codedEntry(QString(47, QChar(' ')) + "Gone", 9) << QString() << "Vexolin: ";
    QTest::newRow("marked entry") << markedEntry(u"Granite     Heavy Square", u"/saved/heavy.wav")
                                  << "/saved/heavy.wav" << "Vexolin: /saved/heavy.wav";
    QTest::newRow("marked url") << markedEntry(u"x", u"http://radio.example/live")
                                << "http://radio.example/live" << "Vexolin: http://radio.example/live";
    QTest::newRow("marker at the start is plain") << "1!2@3#4$/a.wav" << "1!2@3#4$/a.wav"
                                                  << "Vexolin: 1!2@3#4$/a.wav";
    QTest::newRow("plain path") << "/home/me/b.mp3" << "/home/me/b.mp3" << "Vexolin: /home/me/b.mp3";
    QTest::newRow("plain m3u comment") << "#EXTINF:12,Some" << "#EXTINF:12,Some" << "Vexolin: #EXTINF:12,Some";
    // The first NBSP at character 45 or earlier: not a library entry.
    const QString early = withNbspAt(44, encodeRecordNumber(1) + NBSP);
    QTest::newRow("NBSP at character 45, plain") << early << early << "Vexolin: " + early;
    QTest::newRow("NBSP at character 45 with marker")
        << withNbspAt(44, "1!2@3#4$/c.wav") << "/c.wav" << "Vexolin: /c.wav";
    QTest::newRow("NBSP at character 46, library")
        << withNbspAt(45, encodeRecordNumber(1) + NBSP) << padded("/media/first.wav") << "Vexolin: The Examples - First Song";
}

void TestPlayerControl::opensEachKindOfEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, openedPath);
    QFETCH(QString, title);
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/other.wav", entry});
    f.player.calls.clear();

    form.playerControl->OpenMedia(2);

    QCOMPARE(opened(f.player), openedPath.isEmpty() ? QStringList() : QStringList{"Open " + openedPath});
    QCOMPARE(form.windowTitle(), title);
    QVERIFY(!f.player.calls.contains("Play")); // the player starts by itself
    QCOMPARE(form.PlaylistPosition, 0);        // opening does not move the position
}

void TestPlayerControl::openingHidesTheAboutWindowAndRefreshesTheCounter()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/a.wav", "/b.wav", "/c.wav"});
    form.Form2->show();
    f.player.script.entryCount = 4;
    form.PlaylistPosition = 2;

    form.playerControl->OpenMedia(2);

    QVERIFY(!form.Form2->isVisible());
    QVERIFY(form.previousEntryButton->isEnabled());
    QVERIFY(form.nextEntryButton->isEnabled());
    QCOMPARE(form.playlist->currentRow(), 1);
    QCOMPARE(form.entryCounter->text(), QStringLiteral("1/4"));
}

void TestPlayerControl::userClickOpensTheRowOnce()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {libraryEntry(form.library, 1), libraryEntry(form.library, 3)});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    f.player.calls.clear();

    auto clickRow = [&form](int row) {
        const QRect rect = form.playlist->visualItemRect(form.playlist->item(row));
        QTest::mouseClick(form.playlist->viewport(), Qt::LeftButton, {}, rect.center());
    };
    clickRow(1);
    QCOMPARE(opened(f.player), QStringList{"Open " + padded("/media/heavy.wav")});
    QCOMPARE(form.PlaylistPosition, 2);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vexolin: Granite - Heavy Square"));
    QVERIFY(form.previousEntryButton->isEnabled());
    QVERIFY(!form.nextEntryButton->isEnabled());

    // The selected row clicked again opens its entry again, once.
    clickRow(1);
    QCOMPARE(opened(f.player).size(), 2);
    QCOMPARE(opened(f.player)[1], "Open " + padded("/media/heavy.wav"));

    clickRow(0);
    QCOMPARE(opened(f.player).size(), 3);
    QCOMPARE(form.PlaylistPosition, 1);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vexolin: The Examples - First Song"));
}

void TestPlayerControl::keyboardFocusOpensNothing()
{
    // Tabbing into the playlist makes no row current and opens nothing.
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/a.wav", "/b.wav"});
    f.player.calls.clear();

    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(form.playlist, &focusIn);
    QCOMPARE(form.playlist->currentRow(), -1);
    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(form.PlaylistPosition, 0);

    // The first arrow key selects the first row, and opens it.
    QTest::keyClick(form.playlist, Qt::Key_Down);
    QCOMPARE(opened(f.player), QStringList{"Open /a.wav"});
    QCOMPARE(form.PlaylistPosition, 1);
}

void TestPlayerControl::nothingOpensWhileTheCdWizardRuns()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/a.wav", "/b.wav"});
    form.wizardCancelButton->show();
    f.player.calls.clear();

    form.playlist->setCurrentRow(1);

    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(form.PlaylistPosition, 0);
}

void TestPlayerControl::playPauseAndStop()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    form.playButton->setEnabled(true);
    form.pauseButton->setEnabled(true);

    // Stop with nothing open does nothing.
    form.stopButton->click();
    QVERIFY(f.player.calls.isEmpty());

    f.player.script.fileName = "/a.wav";
    form.playButton->click();
    form.pauseButton->click();
    form.stopButton->click();
    QCOMPARE(f.player.calls, (QStringList{"Play", "Pause", "SetCurrentPosition 0", "Stop"}));

    // A player that refuses is no reason for a message.
    f.player.script.failCalls = true;
    form.playButton->click();
    form.pauseButton->click();
    QVERIFY(f.messageBox.shown.isEmpty());
}

void TestPlayerControl::previousAndNextAreOpenedByTheTimer()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/a.wav", "/b.wav", "/c.wav"});
    form.playlist->setCurrentRow(1);
    f.player.calls.clear();

    form.nextEntryButton->click();
    QCOMPARE(form.PlaylistPosition, 3);
    QVERIFY(form.OpenRequested);
    QVERIFY(opened(f.player).isEmpty()); // the button never opens by itself
    form.statusTimer->Timer1_Timer();
    QVERIFY(!form.OpenRequested);
    QCOMPARE(form.playlist->currentRow(), 2);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vexolin: /c.wav"));
    QVERIFY(!form.nextEntryButton->isEnabled());
    // The row change made by CheckTeller runs the playlist click, which opens the same entry.
    QCOMPARE(opened(f.player), (QStringList{"Open /c.wav", "Open /c.wav"}));

    // Previous, carried out by the running timer within a tick.
    f.player.calls.clear();
    form.previousEntryButton->click();
    QVERIFY(!form.previousEntryButton->isEnabled());
    QCOMPARE(form.PlaylistPosition, 2);
    QVERIFY(form.statusTimer->isActive());
    QTRY_VERIFY(!form.OpenRequested);
    QCOMPARE(form.playlist->currentRow(), 1);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vexolin: /b.wav"));
    QVERIFY(opened(f.player).contains("Open /b.wav"));
    QVERIFY(form.previousEntryButton->isEnabled());
}

void TestPlayerControl::nextStopsAtTheLastEntry()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/a.wav", "/b.wav"});
    form.PlaylistPosition = 2;
    form.playerControl->Command5_Click();
    QCOMPARE(form.PlaylistPosition, 2);

    // An empty playlist: the position stays 0 and opening it opens nothing.
    JukeboxFixture g;
    Form1& empty = startWithLibrary(g);
    empty.playerControl->Command5_Click();
    QCOMPARE(empty.PlaylistPosition, 0);
    g.player.calls.clear();
    empty.statusTimer->Timer1_Timer();
    QVERIFY(opened(g.player).isEmpty());
}

void TestPlayerControl::stepsInsideTheMedia()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    QVERIFY(form.PlayerHasEntries);
    f.player.script.entryCount = 5;
    f.player.script.currentEntry = 3;

    form.playerControl->Command8_Click();
    QCOMPARE(form.entryCounter->text(), QStringLiteral("4/5"));
    QVERIFY(form.previousInMediaButton->isEnabled());
    form.previousInMediaButton->click();
    form.previousInMediaButton->click();
    QCOMPARE(form.entryCounter->text(), QStringLiteral("2/5"));
    QCOMPARE(f.player.calls.filter(QRegularExpression("^(Previous|Next)$")),
             (QStringList{"Next", "Previous", "Previous"}));

    // A refusing player changes nothing and shows nothing.
    f.player.script.failCalls = true;
    form.nextInMediaButton->click();
    QCOMPARE(form.entryCounter->text(), QStringLiteral("2/5"));
    QVERIFY(f.messageBox.shown.isEmpty());
}

void TestPlayerControl::endOfStreamPlaysThePlaylistThrough()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {libraryEntry(form.library, 1), libraryEntry(form.library, 2)});
    form.playlist->setCurrentRow(0);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vexolin: The Examples - First Song"));

    f.player.emitEndOfStream();
    QCOMPARE(form.PlaylistPosition, 2);
    form.statusTimer->Timer1_Timer();
    QCOMPARE(form.windowTitle(), QStringLiteral("Vexolin: Granite - Stone Cold"));
    QCOMPARE(form.playlist->currentRow(), 1);

    // After the last entry nothing more opens and the playlist does not wrap.
    f.player.calls.clear();
    f.player.emitEndOfStream();
    QCOMPARE(form.PlaylistPosition, 2);
    QVERIFY(!form.OpenRequested);
    QVERIFY(!form.nextEntryButton->isEnabled());
    form.statusTimer->Timer1_Timer();
    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("Vexolin: Granite - Stone Cold"));
}

void TestPlayerControl::endOfStreamStartsAtTheFirstEntry()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/a.wav", "/b.wav"});
    f.player.calls.clear();

    f.player.emitEndOfStream();

    QCOMPARE(form.PlaylistPosition, 1);
    QVERIFY(!form.OpenRequested);
    QCOMPARE(opened(f.player).first(), QStringLiteral("Open /a.wav"));
    QCOMPARE(form.playlist->currentRow(), 0);
}

void TestPlayerControl::endOfStreamWithEmptyPlaylistDoesNothing()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    const QString title = form.windowTitle();
    f.player.calls.clear();

    f.player.emitEndOfStream();
    form.statusTimer->Timer1_Timer();

    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(form.PlaylistPosition, 0);
    QCOMPARE(form.windowTitle(), title);
}

void TestPlayerControl::endOfStreamInEditModeStops()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/a.wav", "/b.wav"});
    form.doneEditingButton->show();
    form.playlist->setCurrentRow(0);
    f.player.calls.clear();

    f.player.emitEndOfStream();
    form.statusTimer->Timer1_Timer();

    QCOMPARE(f.player.calls, (QStringList{"SetCurrentPosition 0", "Stop"}));
    QCOMPARE(form.PlaylistPosition, 1);
}

void TestPlayerControl::newStreamRefreshesTheCounter()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    f.player.script.currentEntry = 2;
    f.player.script.entryCount = 3;

    f.player.emitNewStream();

    QCOMPARE(form.entryCounter->text(), QStringLiteral("2/3"));
    QVERIFY(form.nextInMediaButton->isEnabled());
}

void TestPlayerControl::playerErrorIsShown()
{
    JukeboxFixture f;
    startWithLibrary(f);

    f.player.emitError("Cannot open /gone.wav");

    QCOMPARE(f.messageBox.shown.size(), 1);
    QCOMPARE(f.messageBox.shown[0].text, QStringLiteral("Cannot open /gone.wav"));
    QCOMPARE(f.messageBox.shown[0].title, QStringLiteral("Error"));
}

void TestPlayerControl::duplicateCheckInEditMode_data()
{
    QTest::addColumn<QList<QStringList>>("records");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<QString>("artistShown"); // empty: no artist selected
    QTest::addColumn<int>("recordShown");     // 0: no title selected, no warning

    QTest::newRow("file in the database, case and blanks aside")
        << Records << "  /MEDIA/Stone.wav " << true << "Granite" << 2;
    QTest::newRow("file not in the database") << Records << "/media/new.wav" << true << "" << 0;
    QTest::newRow("not in edit mode") << Records << "/media/stone.wav" << false << "" << 0;
    LibraryTable table;
    for (const QStringList& r : Records)
        table.append(LibraryRecord::fromTexts(r[0], r[1], r[2], r[3]));
    // A marked or library entry is compared by the path it opens, the one Add would store.
    QTest::newRow("library entry") << Records << libraryEntry(table, 2) << true << "Granite" << 2;
    QTest::newRow("marked entry") << Records << markedEntry(u"Some display text", u"/media/heavy.wav") << true
                                  << "Granite" << 3;
    QTest::newRow("marked entry of a new file") << Records << markedEntry(u"/media/heavy.wav", u"/media/new.wav")
                                                << true << "" << 0;

    // Only the first record with the file counts; its artist is the one looked for.
    const QList<QStringList> twice = {
        {"Granite", "Heavy Square", "Rock", "/media/same.wav"},
        {"The Examples", "First Song", "Pop", "/media/same.wav"},
    };
    QTest::newRow("first of two records") << twice << "/media/same.wav" << true << "Granite" << 1;
    // The artist list holds "Granite" (the first spelling loaded); the artist is looked for
    // with its case, and the search ends at the first record with the file.
    const QList<QStringList> unlisted = {
        {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
        {"GRANITE", "Heavy Square", "Rock", "/media/same.wav"},
        {"The Examples", "First Song", "Pop", "/media/same.wav"},
    };
    QTest::newRow("first record's artist not listed") << unlisted << "/media/same.wav" << true << "" << 0;
}

void TestPlayerControl::duplicateCheckInEditMode()
{
    QFETCH(QList<QStringList>, records);
    QFETCH(QString, entry);
    QFETCH(bool, editMode);
    QFETCH(QString, artistShown);
    QFETCH(int, recordShown);
    JukeboxFixture f;
    Form1& form = startWithLibrary(f, records);
    setPlaylist(form, {"/x.wav", entry});
    if (editMode)
        form.doneEditingButton->show();
    form.titleField->setText("typed");

    form.playlist->setCurrentRow(1);

    QCOMPARE(form.PlaylistPosition, 2);
    // Edit mode clears the title field; a title then selected puts its own text there.
    QCOMPARE(form.titleField->text() == QLatin1String("typed"), !editMode);
    if (recordShown == 0)
        QCOMPARE(form.titleField->text().isEmpty(), editMode);
    QVERIFY(!form.TitleSetByProgram);
    if (artistShown.isEmpty()) {
        QCOMPARE(form.artistList->currentRow(), -1);
    } else {
        QVERIFY(form.artistList->currentItem());
        QCOMPARE(trimBlanks(form.artistList->currentItem()->text()), artistShown);
        QCOMPARE(form.artistField->text(), form.artistList->currentItem()->text());
    }
    if (recordShown == 0) {
        QVERIFY(f.messageBox.shown.isEmpty());
        return;
    }
    QVERIFY(form.titleList->currentItem());
    QCOMPARE(recordOfCodedEntry(form.titleList->currentItem()->text()), recordShown);
    QCOMPARE(f.messageBox.shown.size(), 1);
    QCOMPARE(f.messageBox.shown[0].text, Warning);
    QCOMPARE(f.messageBox.shown[0].title, QStringLiteral("Warning..."));
}

void TestPlayerControl::duplicateCheckRunsOnceWhenTheTimerMovesTheSelection()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/media/new.wav", "/media/first.wav"});
    form.doneEditingButton->show();
    form.playlist->setCurrentRow(0);
    QVERIFY(f.messageBox.shown.isEmpty());

    form.nextEntryButton->click();
    form.statusTimer->Timer1_Timer();

    QCOMPARE(form.playlist->currentRow(), 1);
    QCOMPARE(f.messageBox.shown.size(), 1);
    QCOMPARE(f.messageBox.shown[0].text, Warning);
    QCOMPARE(trimBlanks(form.artistList->currentItem()->text()), QStringLiteral("The Examples"));
}

// The second entry finds the artist and title already selected; the title field, cleared by the
// click, must still get the title back.
void TestPlayerControl::duplicateCheckFillsTheTitleAgainForTheSameFile()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    setPlaylist(form, {"/media/first.wav", "/media/first.wav"});
    form.doneEditingButton->show();
    for (int row : {0, 1}) {
        form.playlist->setCurrentRow(row);
        QCOMPARE(form.titleField->text(), QStringLiteral("First Song"));
        QCOMPARE(f.messageBox.shown.size(), row + 1);
    }
}

QTEST_MAIN(TestPlayerControl)
#include "tst_player_control.moc"
