#include "JukeboxFixture.h"
#include "ui/browser/LibraryDrag.h"
#include "ui/window/MainWindow.h"

#include <QComboBox>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include "ui/window/ListBox.h"
#include <QMimeData>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(LibraryDragSource)

namespace {

const QList<QStringList> Records = {
    {"Alpha", "One", "Rock", "/m/1.mp3"},
    {"Beta", "Two", "Rock", "/m/2.mp3"},
    {"Gamma", "Three", "Jazz", "/m/3.mp3"},
};

enum class Icon { NoDrop, Drop };

// The data of a drag from the title list, as the lists make it.
std::unique_ptr<QMimeData> titleDragData()
{
    auto data = std::make_unique<QMimeData>();
    data->setData(LibraryDragMimeType, "titleList");
    return data;
}

// Where drag events over a control arrive: a list's viewport, else the control itself.
QWidget* dropTarget(QWidget* control)
{
    if (auto* list = qobject_cast<ListBox*>(control))
        return list->viewport();
    return control;
}

bool dragEnter(QWidget* control, const QMimeData* data)
{
    QWidget* target = dropTarget(control);
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    return enter.isAccepted();
}

} // namespace

class TestLibraryDrag : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;

    const QPixmap& iconPixmap(Icon icon) const
    {
        return icon == Icon::Drop ? j->libraryDrag().dropIcon() : j->libraryDrag().noDropIcon();
    }
    bool showsIcon(Icon icon) const { return j->libraryDrag().currentIcon().cacheKey() == iconPixmap(icon).cacheKey(); }
    // A library drag passing over the playlist shows the drop icon, over the stop button the
    // no-drop icon.
    void setIcon(Icon icon)
    {
        const std::unique_ptr<QMimeData> data = titleDragData();
        dragEnter(icon == Icon::Drop ? static_cast<QWidget*>(w->playlist) : w->stopButton, data.get());
        QVERIFY(showsIcon(icon));
    }
    QWidget* control(const QString& name) const
    {
        if (name == "client")
            return w->client;
        return w->client->findChild<QWidget*>(name);
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        j = &f->start(f->writeDatabase("Lib.VxDatabase", Records));
        w = &j->window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() { f.reset(); }

    void pressSelectsThenDrags_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<LibraryDragSource>("source");
        QTest::newRow("artists") << "artistList" << LibraryDragSource::Artists;
        QTest::newRow("titles") << "titleList" << LibraryDragSource::Titles;
    }
    void pressSelectsThenDrags()
    {
        QFETCH(QString, listName);
        QFETCH(LibraryDragSource, source);
        auto* list = w->findChild<ListBox*>(listName);
        QCOMPARE(list->count(), 3);
        setIcon(Icon::Drop);

        QList<LibraryDragSource> sources;
        QList<int> rowsAtStart;
        QList<qint64> cursorKeys;
        f->dragLoop = [&](QDrag* drag) {
            sources.append(libraryDragSource(drag->mimeData()));
            rowsAtStart.append(list->currentRow());
            cursorKeys.append(drag->dragCursor(Qt::IgnoreAction).cacheKey());
            QVERIFY(!drag->mimeData()->hasText()); // text fields must not take it
            drag->deleteLater();
        };
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, list->rowRect(1).center());

        QVERIFY(sources == QList<LibraryDragSource>{source});
        QCOMPARE(rowsAtStart, QList<int>{1});
        QCOMPARE(cursorKeys, QList<qint64>{iconPixmap(Icon::Drop).cacheKey()}); // the icon as last set
        QVERIFY(!j->libraryDrag().activeDrag());

        // The middle button drags the selection as it stands; the right one chooses the entry
        // under the mouse for the context menu, without a drag.
        QTest::mousePress(list->viewport(), Qt::MiddleButton, {}, list->rowRect(2).center());
        QCOMPARE(rowsAtStart, (QList<int>{1, 1}));
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->rowRect(2).center());
        QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, list->rowRect(2).center());
        QCOMPARE(rowsAtStart.size(), 2);
        QCOMPARE(list->currentRow(), 2);
        // The list still answers a later click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->rowRect(0).center());
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(sources.size(), 3);
    }

    void pressOnAnArtistChoosesItBeforeTheDrag()
    {
        QString artistFieldAtDrag;
        f->dragLoop = [&](QDrag* drag) {
            artistFieldAtDrag = w->artistField->text();
            drag->deleteLater();
        };
        QTest::mousePress(w->artistList->viewport(), Qt::LeftButton, {},
                          w->artistList->rowRect(1).center());
        QCOMPARE(artistFieldAtDrag, QStringLiteral("Beta"));
        QCOMPARE(JukeboxFixture::texts(w->titleList).size(), 1);
    }

    void iconOverControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("effect"); // 0 none, 1 no-drop icon, 2 drop icon
        QTest::newRow("playlist") << "playlist" << 2;
        for (const char* name : {"client", "genreFilter", "playButton", "stopButton", "allToPlaylistButton",
                                 "creditLine", "entryCounter", "waitNotice", "playlistCaption", "artistList",
                                 "titleList", "artistField", "titleField", "playerArea"})
            QTest::newRow(name) << name << 1;
        for (const char* name : {"artistCaption", "genreCaption", "statusLine", "showAllButton", "previousInMediaButton"})
            QTest::newRow(name) << name << 0;
    }
    void iconOverControls()
    {
        QFETCH(QString, name);
        QFETCH(int, effect);
        QWidget* target = control(name);
        QVERIFY(target);
        const std::unique_ptr<QMimeData> data = titleDragData();
        QVERIFY(libraryDragSource(data.get()) == LibraryDragSource::Titles);
        // The wait notice shows only in the playlist's place.
        const bool overNotice = target == w->waitNotice;
        for (Icon before : {Icon::NoDrop, Icon::Drop}) {
            setIcon(before);
            if (overNotice)
                w->showWaitNotice(QString());
            const bool accepted = dragEnter(target, data.get());
            if (overNotice)
                w->hideWaitNotice();
            QCOMPARE(accepted, effect == 2);
            const Icon expected = effect == 0 ? before : effect == 1 ? Icon::NoDrop : Icon::Drop;
            QVERIFY2(showsIcon(expected), qPrintable(QStringLiteral("icon before: %1").arg(int(before))));
        }
    }

    void otherDragsLeaveTheIcon()
    {
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/tmp/a.mp3")});
        setIcon(Icon::Drop);
        dragEnter(w->stopButton, &files);
        QVERIFY(showsIcon(Icon::Drop));
        setIcon(Icon::NoDrop);
        dragEnter(w->playlist, &files);
        QVERIFY(showsIcon(Icon::NoDrop));
    }

    void cursorFollowsTheIcon()
    {
        QList<qint64> cursorKeys;
        f->dragLoop = [&](QDrag* drag) {
            for (QWidget* over : {static_cast<QWidget*>(w->playlist), static_cast<QWidget*>(w->pauseButton),
                                  static_cast<QWidget*>(w->playlist)}) {
                dragEnter(over, drag->mimeData());
                QCOMPARE(drag->dragCursor(Qt::CopyAction).cacheKey(), drag->dragCursor(Qt::IgnoreAction).cacheKey());
                cursorKeys.append(drag->dragCursor(Qt::IgnoreAction).cacheKey());
            }
            drag->deleteLater();
        };
        QTest::mousePress(w->artistList->viewport(), Qt::LeftButton, {},
                          w->artistList->rowRect(0).center());
        QCOMPARE(cursorKeys, (QList<qint64>{iconPixmap(Icon::Drop).cacheKey(), iconPixmap(Icon::NoDrop).cacheKey(),
                                            iconPixmap(Icon::Drop).cacheKey()}));
    }
};

QTEST_MAIN(TestLibraryDrag)
#include "tst_library_drag.moc"
