// Opening playlist entries, the transport buttons, the playlist click and the player's events.
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/LibraryTable.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "ui/about/AboutWindow.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/editor/RecordEditor.h"
#include "ui/playback/PlayerControl.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(PlaylistEntry)

namespace {

const QList<QStringList> Records = {
    {"The Examples", "First Song", "Pop", "/media/first.wav"},
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
    {"Granite", "Heavy Square", "Rock", "/media/heavy.wav"},
};

void setPlaylistEntries(const Jukebox& j, const QList<PlaylistEntry>& entries)
{
    if (shownPlaylist(j.window().playlist).append(entries) != entries.size())
        qFatal("the playlist did not take the entries");
}

// Texts as they enter from outside the library (files, URLs).
void setPlaylist(const Jukebox& j, const QStringList& texts)
{
    setPlaylistEntries(j, entriesOfTexts(texts));
}

QStringList opened(const FakePlayer& player)
{
    return player.calls.filter(QRegularExpression("^open "));
}

QString padded(const QString& file)
{
    return fixedWidth(file, FileWidth);
}

PlaylistEntry textWithNbspAt(int index, const QString& tail)
{
    return entryOfText(QString(index, QChar('x')) + NBSP + tail);
}

LibraryTable tableOf(const QList<QStringList>& records)
{
    LibraryTable table;
    for (const QStringList& r : records)
        table.append(LibraryRecord::fromTexts(r[0], r[1], r[2], r[3]));
    return table;
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
    void enterOrSpaceOpensTheSelectedRow_data();
    void enterOrSpaceOpensTheSelectedRow();
    void nothingOpensWhileTheCdWizardRuns();
    void playPauseAndStop();
    void previousAndNextAreOpenedByTheStatusTick();
    void nextStopsAtTheLastEntry();
    void stepsInsideTheMedia();
    void endOfStreamPlaysThePlaylistThrough();
    void endOfStreamStartsAtTheFirstEntry();
    void endOfStreamWithEmptyPlaylistDoesNothing();
    void endOfStreamWhileEditingStops();
    void entriesNamingNoMediaArePassedOver();
    void entryNamingNoMediaWhileEditingStops();
    void newStreamRefreshesTheCounter();
    void playerErrorIsShown();
    void duplicateCheckWhileEditing_data();
    void duplicateCheckWhileEditing();
    void duplicateCheckRunsOnceWhenTheStatusTickMovesTheSelection();
    void duplicateCheckFillsTheTitleAgainForTheSameFile();
};

void TestPlayerControl::opensEachKindOfEntry_data()
{
    QTest::addColumn<PlaylistEntry>("entry");
    QTest::addColumn<QString>("openedPath"); // empty: nothing opened
    QTest::addColumn<QString>("title");

    const LibraryTable table = tableOf(Records);
    QTest::newRow("library entry") << libraryEntry(table, 2) << padded("/media/stone.wav")
                                   << "Vexolin: Granite - Stone Cold";
    QTest::newRow("library entry of a record past the table")
        << PlaylistEntry{codedEntry(QString(47, QChar(' ')) + "Gone", 9), EntryKind::Library} << QString() << "Vexolin: ";
    QTest::newRow("marked entry") << markedEntry(u"Granite     Heavy Square", u"/saved/heavy.wav")
                                  << "/saved/heavy.wav" << "Vexolin: /saved/heavy.wav";
    QTest::newRow("marked url") << markedEntry(u"x", u"http://radio.example/live")
                                << "http://radio.example/live" << "Vexolin: http://radio.example/live";
    QTest::newRow("marker at the start is plain") << entryOfText("1!2@3#4$/a.wav") << "1!2@3#4$/a.wav"
                                                  << "Vexolin: 1!2@3#4$/a.wav";
    QTest::newRow("plain path") << entryOfText("/home/me/b.mp3") << "/home/me/b.mp3" << "Vexolin: /home/me/b.mp3";
    QTest::newRow("plain m3u comment, not opened") << entryOfText("#EXTINF:12,Some") << QString()
                                                   << "Vexolin: #EXTINF:12,Some";
    QTest::newRow("empty plain entry, not opened") << entryOfText("") << QString() << "Vexolin: ";
    QTest::newRow("marked entry without a path, not opened") << markedEntry(u"x", u"") << QString() << "Vexolin: ";
    // A text from outside opens as itself wherever a no-break space and a record code stand in it:
    // only a library entry made from a record opens that record's file.
    const PlaylistEntry early = textWithNbspAt(44, encodeRecordNumber(1) + NBSP);
    QTest::newRow("record code after character 45, plain") << early << early.text << "Vexolin: " + early.text;
    QTest::newRow("NBSP at character 45 with marker")
        << textWithNbspAt(44, "1!2@3#4$/c.wav") << "/c.wav" << "Vexolin: /c.wav";
    const PlaylistEntry late = textWithNbspAt(45, encodeRecordNumber(1) + NBSP);
    QTest::newRow("record code after character 46, still plain") << late << late.text << "Vexolin: " + late.text;
}

void TestPlayerControl::opensEachKindOfEntry()
{
    QFETCH(PlaylistEntry, entry);
    QFETCH(QString, openedPath);
    QFETCH(QString, title);
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    setPlaylistEntries(j, {entryOfText("/other.wav"), entry});
    f.player.calls.clear();

    j.playerControl().openEntry(2);

    QCOMPARE(opened(f.player), openedPath.isEmpty() ? QStringList() : QStringList{"open " + openedPath});
    QCOMPARE(f.window().windowTitle(), title);
    QVERIFY(!f.player.calls.contains("play")); // the player starts by itself
    QCOMPARE(j.playlist().position(), 0); // opening does not move the position
}

void TestPlayerControl::openingHidesTheAboutWindowAndRefreshesTheCounter()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    setPlaylist(j, {"/a.wav", "/b.wav", "/c.wav"});
    // The position is 2; the row is then left, which keeps the position.
    w.playlist->setCurrentRow(1);
    w.playlist->setCurrentRow(-1);
    QCOMPARE(j.playlist().position(), 2);
    QCOMPARE(w.playlist->currentRow(), -1);
    j.about().show();
    QVERIFY(j.about().isVisible());
    f.player.script.entryCount = 4;

    j.playerControl().openEntry(2);

    QVERIFY(!j.about().isVisible());
    QVERIFY(w.previousEntryButton->isEnabled());
    QVERIFY(w.nextEntryButton->isEnabled());
    QCOMPARE(w.playlist->currentRow(), 1);
    QCOMPARE(w.entryCounter->text(), QStringLiteral("1/4"));
}

void TestPlayerControl::userClickOpensTheRowOnce()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    setPlaylistEntries(j, {libraryEntry(j.library().table(), 1), libraryEntry(j.library().table(), 3)});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.player.calls.clear();

    auto clickRow = [&w](int row) {
        const QRect rect = w.playlist->rowRect(row);
        QTest::mouseClick(w.playlist->viewport(), Qt::LeftButton, {}, rect.center());
    };
    clickRow(1);
    QCOMPARE(opened(f.player), QStringList{"open " + padded("/media/heavy.wav")});
    QCOMPARE(j.playlist().position(), 2);
    QCOMPARE(w.windowTitle(), QStringLiteral("Vexolin: Granite - Heavy Square"));
    QVERIFY(w.previousEntryButton->isEnabled());
    QVERIFY(!w.nextEntryButton->isEnabled());

    // The selected row clicked again opens its entry again, once.
    clickRow(1);
    QCOMPARE(opened(f.player).size(), 2);
    QCOMPARE(opened(f.player)[1], "open " + padded("/media/heavy.wav"));

    clickRow(0);
    QCOMPARE(opened(f.player).size(), 3);
    QCOMPARE(j.playlist().position(), 1);
    QCOMPARE(w.windowTitle(), QStringLiteral("Vexolin: The Examples - First Song"));
}

void TestPlayerControl::keyboardFocusOpensNothing()
{
    // Tabbing into the playlist makes no row current and opens nothing.
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    setPlaylist(j, {"/a.wav", "/b.wav"});
    f.player.calls.clear();

    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(w.playlist, &focusIn);
    QCOMPARE(w.playlist->currentRow(), -1);
    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(j.playlist().position(), 0);

    // The first arrow key selects the first row, and opens it.
    QTest::keyClick(w.playlist, Qt::Key_Down);
    QCOMPARE(opened(f.player), QStringList{"open /a.wav"});
    QCOMPARE(j.playlist().position(), 1);
}

void TestPlayerControl::enterOrSpaceOpensTheSelectedRow_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestPlayerControl::enterOrSpaceOpensTheSelectedRow()
{
    QFETCH(int, key);
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    // The row after the selected one starts with a blank, where Space would jump to.
    setPlaylist(j, {"/a.wav", " /b.wav", "/c.wav"});
    f.player.calls.clear();

    // No row selected: the key opens nothing.
    QTest::keyClick(w.playlist, Qt::Key(key));
    QVERIFY(opened(f.player).isEmpty());

    w.playlist->setCurrentRow(0);
    QCOMPARE(opened(f.player), QStringList{"open /a.wav"});
    QTest::keyClick(w.playlist, Qt::Key(key));
    QCOMPARE(opened(f.player), (QStringList{"open /a.wav", "open /a.wav"}));
    QCOMPARE(w.playlist->currentRow(), 0);
    QCOMPARE(j.playlist().position(), 1);
    QCOMPARE(w.windowTitle(), QStringLiteral("Vexolin: /a.wav"));

    // While the CD wizard runs a row is only chosen for the set, not opened.
    j.cdWizard().start();
    setPlaylist(j, {"/d.wav"});
    w.playlist->setCurrentRow(0);
    QTest::keyClick(w.playlist, Qt::Key(key));
    QCOMPARE(opened(f.player).size(), 2);
}

void TestPlayerControl::nothingOpensWhileTheCdWizardRuns()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    j.cdWizard().start();
    setPlaylist(j, {"/a.wav", "/b.wav"});
    f.player.calls.clear();

    w.playlist->setCurrentRow(1);

    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(j.playlist().position(), 0);
}

void TestPlayerControl::playPauseAndStop()
{
    JukeboxFixture f;
    f.startWithRecords(Records);
    MainWindow& w = f.window();
    w.playButton->setEnabled(true);
    w.pauseButton->setEnabled(true);

    // Stop with nothing open does nothing.
    w.stopButton->click();
    QVERIFY(f.player.calls.isEmpty());

    f.player.script.fileName = "/a.wav";
    f.player.script.position = 42;
    w.playButton->click();
    QCOMPARE(f.player.state(), int(MediaPlayer::Playing));
    w.pauseButton->click();
    QCOMPARE(f.player.state(), int(MediaPlayer::Paused));
    QCOMPARE(f.player.currentPosition(), 42.0);
    w.stopButton->click();
    // Stopped at the start, with the file still loaded: Play starts it again.
    QCOMPARE(f.player.state(), int(MediaPlayer::Stopped));
    QCOMPARE(f.player.currentPosition(), 0.0);
    QCOMPARE(f.player.fileName(), QStringLiteral("/a.wav"));

    // A player that refuses is no reason for a message.
    f.player.script.failCalls = true;
    w.playButton->click();
    w.pauseButton->click();
    QVERIFY(f.messageBox.shown.isEmpty());
}

void TestPlayerControl::previousAndNextAreOpenedByTheStatusTick()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    setPlaylist(j, {"/a.wav", "/b.wav", "/c.wav"});
    w.playlist->setCurrentRow(1);
    f.player.calls.clear();

    w.nextEntryButton->click();
    QCOMPARE(j.playlist().position(), 3);
    QVERIFY(opened(f.player).isEmpty()); // the button never opens by itself
    j.updateStatus();
    QCOMPARE(w.playlist->currentRow(), 2);
    QCOMPARE(w.windowTitle(), QStringLiteral("Vexolin: /c.wav"));
    QVERIFY(!w.nextEntryButton->isEnabled());
    // The row change made by the entry counter is a playlist selection, which opens the same entry.
    QCOMPARE(opened(f.player), (QStringList{"open /c.wav", "open /c.wav"}));
    // The request is carried out once.
    j.updateStatus();
    QCOMPARE(opened(f.player).size(), 2);

    // Previous, carried out by the running status timer within a tick.
    f.player.calls.clear();
    w.previousEntryButton->click();
    QVERIFY(!w.previousEntryButton->isEnabled());
    QCOMPARE(j.playlist().position(), 2);
    QVERIFY(w.statusTimer->isActive());
    QTRY_COMPARE(w.windowTitle(), QStringLiteral("Vexolin: /b.wav"));
    QCOMPARE(w.playlist->currentRow(), 1);
    QVERIFY(opened(f.player).contains("open /b.wav"));
    QVERIFY(w.previousEntryButton->isEnabled());
    const qsizetype opens = opened(f.player).size();
    QTest::qWait(3 * w.statusTimer->interval());
    QCOMPARE(opened(f.player).size(), opens);
}

void TestPlayerControl::nextStopsAtTheLastEntry()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    setPlaylist(j, {"/a.wav", "/b.wav"});
    f.window().playlist->setCurrentRow(1);
    QCOMPARE(j.playlist().position(), 2);
    j.playerControl().requestNextEntry();
    QCOMPARE(j.playlist().position(), 2);

    // An empty playlist: the position stays 0 and opening it opens nothing.
    JukeboxFixture g;
    Jukebox& empty = g.startWithRecords(Records);
    empty.playerControl().requestNextEntry();
    QCOMPARE(empty.playlist().position(), 0);
    g.player.calls.clear();
    empty.updateStatus();
    QVERIFY(opened(g.player).isEmpty());
}

void TestPlayerControl::stepsInsideTheMedia()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    f.player.script.entryCount = 5;
    f.player.script.currentEntry = 3;
    // The player numbers the entries of a media: the counter shows them.
    j.playerControl().updateEntryCounter();
    QCOMPARE(w.entryCounter->text(), QStringLiteral("3/5"));

    j.playerControl().nextInMedia();
    QCOMPARE(w.entryCounter->text(), QStringLiteral("4/5"));
    QVERIFY(w.previousInMediaButton->isEnabled());
    w.previousInMediaButton->click();
    w.previousInMediaButton->click();
    QCOMPARE(w.entryCounter->text(), QStringLiteral("2/5"));
    QCOMPARE(f.player.calls.filter(QRegularExpression("^(previous|next)$")),
             (QStringList{"next", "previous", "previous"}));

    // A refusing player changes nothing and shows nothing.
    f.player.script.failCalls = true;
    w.nextInMediaButton->click();
    QCOMPARE(w.entryCounter->text(), QStringLiteral("2/5"));
    QVERIFY(f.messageBox.shown.isEmpty());
}

void TestPlayerControl::endOfStreamPlaysThePlaylistThrough()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    setPlaylistEntries(j, {libraryEntry(j.library().table(), 1), libraryEntry(j.library().table(), 2)});
    w.playlist->setCurrentRow(0);
    QCOMPARE(w.windowTitle(), QStringLiteral("Vexolin: The Examples - First Song"));

    f.player.emitEndOfStream();
    QCOMPARE(j.playlist().position(), 2);
    j.updateStatus();
    QCOMPARE(w.windowTitle(), QStringLiteral("Vexolin: Granite - Stone Cold"));
    QCOMPARE(w.playlist->currentRow(), 1);

    // After the last entry nothing more opens and the playlist does not wrap.
    f.player.calls.clear();
    f.player.emitEndOfStream();
    QCOMPARE(j.playlist().position(), 2);
    QVERIFY(!w.nextEntryButton->isEnabled());
    j.updateStatus();
    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Vexolin: Granite - Stone Cold"));
}

void TestPlayerControl::endOfStreamStartsAtTheFirstEntry()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    setPlaylist(j, {"/a.wav", "/b.wav"});
    f.player.calls.clear();

    f.player.emitEndOfStream();

    QCOMPARE(j.playlist().position(), 1);
    QCOMPARE(opened(f.player).first(), QStringLiteral("open /a.wav"));
    QCOMPARE(w.playlist->currentRow(), 0);
    // The entry is opened at once: no request is left for the status tick.
    f.player.calls.clear();
    j.updateStatus();
    QVERIFY(opened(f.player).isEmpty());
}

void TestPlayerControl::endOfStreamWithEmptyPlaylistDoesNothing()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    const QString title = f.window().windowTitle();
    f.player.calls.clear();

    f.player.emitEndOfStream();
    j.updateStatus();

    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(j.playlist().position(), 0);
    QCOMPARE(f.window().windowTitle(), title);
}

void TestPlayerControl::endOfStreamWhileEditingStops()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    setPlaylist(j, {"/a.wav", "/b.wav"});
    j.editor().startEditing();
    f.window().playlist->setCurrentRow(0);
    f.player.calls.clear();

    f.player.script.position = 42;
    f.player.emitEndOfStream();
    j.updateStatus();

    // The ended entry is stopped at its start, and nothing else opens.
    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(f.player.state(), int(MediaPlayer::Stopped));
    QCOMPARE(f.player.currentPosition(), 0.0);
    QCOMPARE(j.playlist().position(), 1);
}

// An extended M3U's lines and empty entries end at once, as a media that ended: the next entry
// follows, nothing is reported, and the playlist keeps them.
void TestPlayerControl::entriesNamingNoMediaArePassedOver()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    const QStringList texts = {"/a.wav", "#EXTM3U", "", "#EXTINF:1,B", "/b.wav", "#EXTINF:2,end"};
    setPlaylist(j, texts);
    w.playlist->setCurrentRow(0);
    f.player.script.fileName = "/a.wav";
    f.player.calls.clear();

    f.player.emitEndOfStream();
    for (int tick = 0; tick < 4; ++tick)
        j.updateStatus();

    QCOMPARE(opened(f.player), (QStringList{"open /b.wav", "open /b.wav"}));
    QCOMPARE(j.playlist().position(), 5);
    QCOMPARE(w.playlist->currentRow(), 4);
    QVERIFY(f.messageBox.shown.isEmpty());
    QCOMPARE(JukeboxFixture::texts(w.playlist), texts);

    // The last entry is a comment: what played stops, and nothing more opens.
    f.player.calls.clear();
    w.playlist->setCurrentRow(5);
    j.updateStatus();
    QVERIFY(opened(f.player).isEmpty());
    QVERIFY(f.player.calls.contains("stop"));
    QCOMPARE(j.playlist().position(), 6);
    QVERIFY(f.messageBox.shown.isEmpty());
}

void TestPlayerControl::entryNamingNoMediaWhileEditingStops()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    setPlaylist(j, {"#EXTM3U", "/a.wav"});
    j.editor().startEditing();
    f.player.script.fileName = "/old.wav";
    f.player.script.state = MediaPlayer::Playing;
    f.player.script.position = 42;
    f.player.calls.clear();

    f.window().playlist->setCurrentRow(0);
    j.updateStatus();

    // What played stops at its start, and the next entry does not open while editing.
    QVERIFY(opened(f.player).isEmpty());
    QCOMPARE(f.player.state(), int(MediaPlayer::Stopped));
    QCOMPARE(f.player.currentPosition(), 0.0);
    QCOMPARE(j.playlist().position(), 1);
}

void TestPlayerControl::newStreamRefreshesTheCounter()
{
    JukeboxFixture f;
    f.startWithRecords(Records);
    f.player.script.currentEntry = 2;
    f.player.script.entryCount = 3;

    f.player.emitNewStream();

    QCOMPARE(f.window().entryCounter->text(), QStringLiteral("2/3"));
    QVERIFY(f.window().nextInMediaButton->isEnabled());
}

void TestPlayerControl::playerErrorIsShown()
{
    JukeboxFixture f;
    f.startWithRecords(Records);

    f.player.emitError("Cannot open /gone.wav");

    QCOMPARE(f.messageBox.shown.size(), 1);
    QCOMPARE(f.messageBox.shown[0].text, QStringLiteral("Cannot open /gone.wav"));
    QCOMPARE(f.messageBox.shown[0].title, QStringLiteral("Error"));
}

void TestPlayerControl::duplicateCheckWhileEditing_data()
{
    QTest::addColumn<QList<QStringList>>("records");
    QTest::addColumn<PlaylistEntry>("entry");
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QString>("artistShown"); // empty: no artist selected
    QTest::addColumn<int>("recordShown");     // 0: no title selected, no warning

    QTest::newRow("file in the database, case and blanks aside")
        << Records << entryOfText("  /MEDIA/Stone.wav ") << true << "Granite" << 2;
    QTest::newRow("file not in the database") << Records << entryOfText("/media/new.wav") << true << "" << 0;
    QTest::newRow("not editing") << Records << entryOfText("/media/stone.wav") << false << "" << 0;
    const LibraryTable table = tableOf(Records);
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
    QTest::newRow("first of two records") << twice << entryOfText("/media/same.wav") << true << "Granite" << 1;
    // The artist list holds "Granite" (the first spelling loaded); the artist is looked for
    // with its case, and the search ends at the first record with the file.
    const QList<QStringList> unlisted = {
        {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
        {"GRANITE", "Heavy Square", "Rock", "/media/same.wav"},
        {"The Examples", "First Song", "Pop", "/media/same.wav"},
    };
    QTest::newRow("first record's artist not listed") << unlisted << entryOfText("/media/same.wav") << true << "" << 0;
}

void TestPlayerControl::duplicateCheckWhileEditing()
{
    QFETCH(QList<QStringList>, records);
    QFETCH(PlaylistEntry, entry);
    QFETCH(bool, editing);
    QFETCH(QString, artistShown);
    QFETCH(int, recordShown);
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(records);
    MainWindow& w = f.window();
    setPlaylistEntries(j, {entryOfText("/x.wav"), entry});
    if (editing)
        j.editor().startEditing();
    w.titleField->setText("typed");

    w.playlist->setCurrentRow(1);

    QCOMPARE(j.playlist().position(), 2);
    // Editing clears the title field; a title then selected puts its own text there.
    QCOMPARE(w.titleField->text() == QLatin1String("typed"), !editing);
    if (recordShown == 0)
        QCOMPARE(w.titleField->text().isEmpty(), editing);
    if (artistShown.isEmpty()) {
        QCOMPARE(w.artistList->currentRow(), -1);
    } else {
        QVERIFY(w.artistList->currentRow() >= 0);
        QCOMPARE(trimBlanks(w.artistList->text(w.artistList->currentRow())), artistShown);
        QCOMPARE(w.artistField->text(), w.artistList->text(w.artistList->currentRow()));
    }
    if (recordShown == 0) {
        QVERIFY(f.messageBox.shown.isEmpty());
    } else {
        QVERIFY(w.titleList->currentRow() >= 0);
        QCOMPARE(recordOfCodedEntry(w.titleList->text(w.titleList->currentRow())), recordShown);
        QCOMPARE(f.messageBox.shown.size(), 1);
        QCOMPARE(f.messageBox.shown[0].text, Warning);
        QCOMPARE(f.messageBox.shown[0].title, QStringLiteral("Warning..."));
    }

    // The title shown by the check was the program's choice; the user's next choice of a title
    // is the user's again, and while editing it is one to remove.
    w.removeRecordButton->setEnabled(false);
    j.browser().selectTitleRow(0);
    QCOMPARE(w.removeRecordButton->isEnabled(), editing);
}

void TestPlayerControl::duplicateCheckRunsOnceWhenTheStatusTickMovesTheSelection()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    setPlaylist(j, {"/media/new.wav", "/media/first.wav"});
    j.editor().startEditing();
    w.playlist->setCurrentRow(0);
    QVERIFY(f.messageBox.shown.isEmpty());

    w.nextEntryButton->click();
    j.updateStatus();

    QCOMPARE(w.playlist->currentRow(), 1);
    QCOMPARE(f.messageBox.shown.size(), 1);
    QCOMPARE(f.messageBox.shown[0].text, Warning);
    QCOMPARE(trimBlanks(w.artistList->text(w.artistList->currentRow())), QStringLiteral("The Examples"));
}

// The second entry finds the artist and title already selected; the title field, cleared by the
// click, must still get the title back.
void TestPlayerControl::duplicateCheckFillsTheTitleAgainForTheSameFile()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    setPlaylist(j, {"/media/first.wav", "/media/first.wav"});
    j.editor().startEditing();
    for (int row : {0, 1}) {
        w.playlist->setCurrentRow(row);
        QCOMPARE(w.titleField->text(), QStringLiteral("First Song"));
        QCOMPARE(f.messageBox.shown.size(), row + 1);
    }
}

QTEST_MAIN(TestPlayerControl)
#include "tst_player_control.moc"
