#include "JukeboxFixture.h"
#include "browser/ArtistTitleLists.h"
#include "browser/LibraryDrag.h"
#include "core/RecordCode.h"
#include "core/TextLines.h"
#include "playlist/PlaylistEditing.h"
#include "core/PlaylistEntry.h"

#include <QComboBox>
#include <QDir>
#include <QDrag>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

namespace {

QListWidgetItem* itemNamed(const QListWidget* list, const QString& trimmedText)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == trimmedText)
            return list->item(i);
    return nullptr;
}

// Stands for a second drop handler on the playlist: takes file drags, records what reaches it.
class DropRecorder : public QObject
{
public:
    QList<QEvent::Type> seen;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
            return false;
        seen.append(event->type());
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        drop->acceptProposedAction();
        return true;
    }
};

} // namespace

class TestPlaylistEditing : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Form1* form = nullptr;
    QString smallFile, halfFile;

    QStringList playlist() const { return JukeboxFixture::texts(form->playlist); }
    QStringList entriesOf(const QList<int>& records) const
    {
        QStringList out;
        for (int r : records)
            out.append(libraryEntry(form->library, r));
        return out;
    }
    void selectGenre(const QString& genre)
    {
        const int index = form->genreFilter->findText(genre);
        QVERIFY(index >= 0);
        form->genreFilter->setCurrentIndex(index);
    }
    bool drop(const char* source)
    {
        QMimeData data;
        data.setData(LibraryDragMimeType, source);
        QWidget* viewport = form->playlist->viewport();
        // Qt delivers a drop only where the drag entered first.
        QDragEnterEvent enter(viewport->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDropEvent event(viewport->rect().center(), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
        return event.isAccepted();
    }
    void dropTitle(const QString& title)
    {
        QListWidgetItem* item = nullptr;
        for (int i = 0; i < form->titleList->count() && !item; ++i)
            if (visibleTextOfCodedEntry(form->titleList->item(i)->text()) == title)
                item = form->titleList->item(i);
        QVERIFY(item);
        form->titleList->setCurrentItem(item);
        QVERIFY(drop("List2"));
    }
    // For each batch of entries that arrives: whether the playlist was hidden behind the notice.
    QList<bool> waitFrames;
    void watchWaitFrame()
    {
        connect(form->playlist->model(), &QAbstractItemModel::rowsInserted, form, [this] {
            waitFrames.append(form->playlist->isHidden() && form->waitNotice->text() == "Adding files, please wait...");
        });
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        smallFile = f->writeFile("small.mp3", QByteArray(1536, 'x'));
        halfFile = f->writeFile("half.mp3", QByteArray(2560, 'y'));
        const QString db = f->writeDatabase("Lib.VxDatabase", {
            {"The Examples", "First Song", "Rock", smallFile},
            {"the examples", "Second Song", "rock", halfFile},
            {"Other", "Stream", "Jazz", "http://radio.example/stream.mp3"},
            {"  The Examples  ", "Gone", "Pop", f->dir.filePath("missing.mp3")},
            {"Abc", "", "Rock", "/nowhere"},
        });
        form = &f->start(db);
        QCOMPARE(form->library.recordCount(), 5);
        f->player.script.entryOption = false; // tells whether CheckTeller ran since
    }
    void cleanup()
    {
        waitFrames.clear();
        f.reset();
    }

    void allToPlaylist_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::addColumn<QList<int>>("records");
        QTest::newRow("all genres, in table order") << "(All genres)" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("genre compared exactly") << "Rock" << QList<int>{1, 5};
    }
    void allToPlaylist()
    {
        QFETCH(QString, genre);
        QFETCH(QList<int>, records);
        selectGenre(genre);
        form->playlist->addItem("already there");
        form->PlaylistPosition = 1;
        watchWaitFrame();
        form->allToPlaylistButton->click();
        QCOMPARE(playlist(), QStringList{"already there"} + entriesOf(records));
        QCOMPARE(waitFrames, QList<bool>{true});
        QVERIFY(!form->playlist->isHidden());
        QCOMPARE(form->PlaylistPosition, 1);
        QVERIFY(!f->player.script.entryOption);
    }

    void libraryEntryLayout_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<QString>("expected");
        const QString nb(NBSP);
        QTest::newRow("artist column, 7 blanks, title, code")
            << 1 << "The Examples" + QString(28 + 7, ' ') + "First Song" + nb + QString(15, ' ') + nb + nb;
        QTest::newRow("leading blanks kept")
            << 4 << "  The Examples" + QString(26 + 7, ' ') + "Gone" + nb + QString(13, ' ') + nb + "  " + nb;
        QTest::newRow("empty title: 65 characters")
            << 5 << "Abc" + QString(37 + 7, ' ') + nb + QString(13, ' ') + nb + " " + nb + nb;
    }
    void libraryEntryLayout()
    {
        QFETCH(int, record);
        QFETCH(QString, expected);
        form->allToPlaylistButton->click();
        const QString entry = playlist().at(record - 1);
        QCOMPARE(entry, expected);
        QCOMPARE(decodeRecordNumber(entry.right(17)), record);
    }

    void artistDropAddsEveryRecordOfTheArtist()
    {
        selectGenre("Rock");
        form->artistList->setCurrentItem(itemNamed(form->artistList, "The Examples"));
        watchWaitFrame();
        QVERIFY(drop("List1"));
        QCOMPARE(playlist(), entriesOf({1, 2, 4}));
        QCOMPARE(waitFrames, QList<bool>{true});
        QVERIFY(!form->playlist->isHidden());
        QVERIFY(!f->player.script.entryOption);
    }

    void titleDropAddsOneEntryAndRefreshesTheCounter()
    {
        form->playlist->addItem("first");
        form->PlaylistPosition = 1;
        dropTitle("Second Song");
        QCOMPARE(playlist(), QStringList{"first"} + entriesOf({2}));
        QVERIFY(f->player.script.entryOption);
        QVERIFY(form->nextEntryButton->isEnabled());
        QCOMPARE(form->PlaylistPosition, 1);
        QVERIFY(!form->playlist->isHidden());
    }

    void dropWithoutSelectionAddsNothing_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("artists") << QByteArray("List1");
        QTest::newRow("titles") << QByteArray("List2");
    }
    void dropWithoutSelectionAddsNothing()
    {
        QFETCH(QByteArray, source);
        form->artistList->setCurrentRow(-1);
        form->titleList->setCurrentRow(-1);
        QVERIFY(drop(source.constData()));
        QCOMPARE(form->playlist->count(), 0);
        QVERIFY(!form->playlist->isHidden());
    }

    void otherDropsPassToTheNextHandler()
    {
        // A second handler on the playlist (files from other programs) sees every drop that
        // is not a library drag, and none that is.
        QWidget* viewport = form->playlist->viewport();
        QObject* drag = form->lists->drag.get();
        QVERIFY(drag);
        DropRecorder recorder;
        viewport->removeEventFilter(form->editing.get());
        viewport->removeEventFilter(drag);
        viewport->installEventFilter(&recorder);
        viewport->installEventFilter(drag);
        viewport->installEventFilter(form->editing.get());

        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/tmp/a.mp3")});
        QDragEnterEvent enter(viewport->rect().center(), Qt::CopyAction, &files, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDropEvent dropped(viewport->rect().center(), Qt::CopyAction, &files, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &dropped);
        QCOMPARE(recorder.seen, (QList<QEvent::Type>{QEvent::DragEnter, QEvent::Drop}));

        form->artistList->setCurrentRow(0);
        QVERIFY(drop("List1"));
        QCOMPARE(recorder.seen.size(), 2);
        QVERIFY(form->playlist->count() > 0);
    }

    void wholeDragFromTheTitleList()
    {
        QWidget* viewport = form->titleList->viewport();
        QListWidgetItem* item = form->titleList->item(1);
        const int record = recordOfCodedEntry(item->text());
        form->lists->drag->runDrag = [this](QDrag* drag) {
            QWidget* target = form->playlist->viewport();
            QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, drag->mimeData(), Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(target->rect().center(), Qt::CopyAction, drag->mimeData(), Qt::NoButton, {});
            QCoreApplication::sendEvent(target, &dropped);
            QVERIFY(dropped.isAccepted());
            drag->deleteLater();
        };
        QTest::mousePress(viewport, Qt::LeftButton, {}, form->titleList->visualItemRect(item).center());
        QCOMPARE(playlist(), entriesOf({record}));
        QCOMPARE(form->currentDragIcon().cacheKey(), form->Image2.cacheKey());
    }

    void addFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("entries"); // empty: the path itself
        const QByteArray m3u = "#EXTM3U\r\n#EXTINF:12,Some One - Song\r\n\r\nrelative/song.mp3  \r\nlast\nline";
        const QStringList lines{"#EXTM3U", "#EXTINF:12,Some One - Song", "", "relative/song.mp3  ", "last\nline"};
        QTest::newRow("m3u") << "list.m3u" << m3u << lines;
        QTest::newRow("M3U upper case") << "LIST.M3U" << m3u << lines;
        QTest::newRow("mixed case") << "list.M3u" << QByteArray("a\rb\r\n") << QStringList{"a", "b"};
        QTest::newRow("m3u8 is a plain file") << "list.m3u8" << m3u << QStringList{};
        QTest::newRow("media file") << "song.mp3" << QByteArray("RIFF") << QStringList{};
        QTest::newRow("windows-1252 line") << "old.m3u" << QByteArray("Caf\xe9.mp3") << QStringList{"Café.mp3"};
        QTest::newRow("empty m3u") << "empty.m3u" << QByteArray() << QStringList{};
    }
    void addFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, entries);
        const QString path = f->writeFile(name, content);
        form->playlist->addItem("before");
        form->PlaylistPosition = 1;
        f->fileDialog.fileName = "previous.vxplaylist";
        f->fileDialog.answers = {path};
        form->addFilesAction->trigger();

        QCOMPARE(f->fileDialog.uses.size(), 1);
        QCOMPARE(f->fileDialog.uses[0].filter, QStringLiteral("All Files|*.*"));
        QCOMPARE(f->fileDialog.uses[0].fileName, QString());
        const bool isList = name.right(4).toUpper() == ".M3U";
        QCOMPARE(playlist(), QStringList{"before"} + (isList ? entries : QStringList{path}));
        QCOMPARE(form->PlaylistPosition, 1);
        QVERIFY(!f->player.script.entryOption);
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void addFileBadInput()
    {
        // Cancelled: nothing. A folder named like a list cannot be read: nothing, no message.
        // Binary bytes: their "lines", without failing.
        form->addFilesAction->trigger();
        QCOMPARE(form->playlist->count(), 0);
        QVERIFY(QDir(f->dir.path()).mkdir("folder.m3u"));
        f->fileDialog.answers = {f->dir.filePath("folder.m3u")};
        form->addFilesAction->trigger();
        QCOMPARE(form->playlist->count(), 0);

        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 37) & 0xff));
        f->fileDialog.answers = {f->writeFile("noise.m3u", binary)};
        form->addFilesAction->trigger();
        QCOMPARE(form->playlist->count(), splitLines(binary).size());
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void m3uLinesOfAnUnfinishedRead()
    {
        QCOMPARE(m3uLines("a\r\nb\r\npart", false), (QStringList{"a", "b"}));
        QCOMPARE(m3uLines("a\r\nb\r\n", false), (QStringList{"a", "b"}));
        QCOMPARE(m3uLines("a\r\nb\r\npart", true), (QStringList{"a", "b", "part"}));
    }

    void removeAndClear()
    {
        form->playlist->addItems({"a", "b", "c"});
        form->PlaylistPosition = 3;
        int clicks = 0;
        connect(form->playlist, &QListWidget::currentRowChanged, this, [&] { ++clicks; });

        form->removeAction->trigger(); // nothing selected
        QCOMPARE(playlist(), (QStringList{"a", "b", "c"}));

        form->playlist->setCurrentRow(1); // a playlist click: opens entry 2
        form->PlaylistPosition = 3;
        f->player.script.entryOption = false;
        clicks = 0;
        form->removeAction->trigger();
        QCOMPARE(playlist(), (QStringList{"a", "c"}));
        QCOMPARE(form->playlist->currentRow(), -1);
        QCOMPARE(clicks, 0);
        QCOMPARE(form->PlaylistPosition, 3);
        QVERIFY(!f->player.script.entryOption);

        form->SelectionSize = 7;
        form->nextEntryButton->setEnabled(true);
        form->clearPlaylistAction->trigger();
        QCOMPARE(form->playlist->count(), 0);
        QCOMPARE(form->PlaylistPosition, 0);
        QCOMPARE(form->SelectionSize, 0);
        QVERIFY(f->player.script.entryOption);
        QVERIFY(!form->nextEntryButton->isEnabled());
    }

    void roundedKilobytes_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<int>("sign");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("3.5 to 4") << qint64(2) << qint64(1536) << 1 << qint64(4);
        QTest::newRow("2.5 to 2") << qint64(0) << qint64(2560) << 1 << qint64(2);
        QTest::newRow("the sum is rounded, not the size") << qint64(1) << qint64(1536) << 1 << qint64(2);
        QTest::newRow("-0.5 to 0") << qint64(2) << qint64(2560) << -1 << qint64(0);
        QTest::newRow("-1.5 to -2") << qint64(0) << qint64(1536) << -1 << qint64(-2);
        QTest::newRow("below a half") << qint64(5) << qint64(511) << 1 << qint64(5);
        QTest::newRow("above a half") << qint64(5) << qint64(513) << 1 << qint64(6);
        QTest::newRow("large file") << qint64(0) << qint64(5) * 1024 * 1024 * 1024 << 1 << qint64(5) * 1024 * 1024;
    }
    void roundedKilobytes()
    {
        QFETCH(qint64, total);
        QFETCH(qint64, bytes);
        QFETCH(int, sign);
        QFETCH(qint64, expected);
        QCOMPARE(addRoundedKilobytes(total, bytes, sign), expected);
    }

    void sizeCountWhileTheWizardRuns()
    {
        form->wizardCancelButton->setVisible(true);
        form->SelectionSize = 2;
        dropTitle("First Song"); // 1536 bytes
        QCOMPARE(form->SelectionSize, 4);
        dropTitle("Stream");     // a URL
        dropTitle("Gone");       // a missing file
        QCOMPARE(form->SelectionSize, 4);
        QCOMPARE(form->playlist->count(), 3);

        form->playlist->setCurrentRow(0);
        form->removeAction->trigger();
        QCOMPARE(form->SelectionSize, 2); // 4 - 1.5 = 2.5, to the even 2
        form->playlist->addItem(QStringLiteral("plain.mp3"));
        form->playlist->setCurrentRow(form->playlist->count() - 1);
        form->removeAction->trigger();
        QCOMPARE(form->SelectionSize, 2);
        QCOMPARE(form->playlist->count(), 2);
    }

    void sizeCountOnlyInTheWizard()
    {
        form->SelectionSize = 3;
        dropTitle("Second Song");
        form->allToPlaylistButton->click();
        form->playlist->setCurrentRow(0);
        form->removeAction->trigger();
        QCOMPARE(form->SelectionSize, 3);
    }

    void playlistStopsAtItsCapacity()
    {
        form->wizardCancelButton->setVisible(true);
        QStringList filler;
        for (int i = 0; i < PlaylistCapacity - 1; ++i)
            filler.append(QString::number(i));
        form->playlist->addItems(filler);
        form->allToPlaylistButton->click(); // only record 1 still fits
        QCOMPARE(form->playlist->count(), PlaylistCapacity);
        QCOMPARE(playlist().last(), libraryEntry(form->library, 1));
        QCOMPARE(form->SelectionSize, 2); // 1536 bytes, and nothing for the records left out
        QVERIFY(!form->playlist->isHidden());
    }

    void rightClickPopsUpThePlaylistMenu()
    {
        form->playlist->addItems({"a", "b"});
        QWidget* viewport = form->playlist->viewport();
        const QPoint onFirst = form->playlist->visualItemRect(form->playlist->item(0)).center();
        QTest::mousePress(viewport, Qt::RightButton, {}, onFirst);
        QVERIFY(form->playlistMenu->isVisible());
        QCOMPARE(form->playlist->currentRow(), -1); // the right button selects nothing
        form->playlistMenu->hide();
        QTest::mouseRelease(viewport, Qt::RightButton, {}, onFirst);

        QTest::mouseClick(viewport, Qt::LeftButton, {}, onFirst);
        QVERIFY(!form->playlistMenu->isVisible());
        QCOMPARE(form->playlist->currentRow(), 0);
    }
};

QTEST_MAIN(TestPlaylistEditing)
#include "tst_playlist_editor.moc"
