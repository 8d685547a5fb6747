// What a screen reader hears: labels and captioned buttons say their live text; controls without
// text are named by their role. (That the changes are announced on the accessibility bus is
// checked end to end, in tests/e2e/accessible_names.sh.)
#include "JukeboxFixture.h"
#include "core/SharedTexts.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/playback/PlayerControl.h"
#include "core/PlaylistEntry.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/search/SearchDialog.h"
#include "ui/window/MainWindow.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

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

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void statusLineClocksAndCounterSayWhatTheyShow();
    void noticesAndTheWizardsButtonSayWhatTheyShow();
    void controlsWithoutTextAreNamedByTheirRole();
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

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
