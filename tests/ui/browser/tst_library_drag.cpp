#include "JukeboxFixture.h"
#include "browser/ArtistTitleLists.h"
#include "browser/LibraryDrag.h"

#include <QComboBox>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

namespace {

const QList<QStringList> Records = {
    {"Alpha", "One", "Rock", "/m/1.mp3"},
    {"Beta", "Two", "Rock", "/m/2.mp3"},
    {"Gamma", "Three", "Jazz", "/m/3.mp3"},
};

enum class Icon { NoDrop, Drop };

QMimeData* libraryData(const char* source)
{
    auto* data = new QMimeData;
    data->setData(LibraryDragMimeType, source);
    return data;
}

// Where drag events over a control arrive: a list's viewport, else the control itself.
QWidget* dropTarget(QWidget* control)
{
    if (auto* list = qobject_cast<QListWidget*>(control))
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
    Form1* form = nullptr;

    bool showsIcon(Icon icon) const
    {
        const QPixmap& expected = icon == Icon::Drop ? form->Image2 : form->Image1;
        return form->currentDragIcon().cacheKey() == expected.cacheKey();
    }
    void setIcon(Icon icon) { icon == Icon::Drop ? form->SetDropIcon() : form->ResetDragIcon(); }
    QWidget* control(const QString& name) const
    {
        if (name == "Form")
            return form->client;
        return form->client->findChild<QWidget*>(name);
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        form = &f->start(f->writeDatabase("Lib.VxDatabase", Records));
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() { f.reset(); }

    void pressSelectsThenDrags_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::newRow("artists") << "List1";
        QTest::newRow("titles") << "List2";
    }
    void pressSelectsThenDrags()
    {
        QFETCH(QString, listName);
        auto* list = form->findChild<QListWidget*>(listName);
        QCOMPARE(list->count(), 3);
        form->SetDropIcon();

        QList<QString> sources;
        QList<int> rowsAtStart;
        QList<qint64> cursorKeys;
        form->lists->drag->runDrag = [&](QDrag* drag) {
            sources.append(libraryDragSource(drag->mimeData()));
            rowsAtStart.append(list->currentRow());
            cursorKeys.append(drag->dragCursor(Qt::IgnoreAction).cacheKey());
            QVERIFY(!drag->mimeData()->hasText()); // text fields must not take it
            drag->deleteLater();
        };
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());

        QCOMPARE(sources, QList<QString>{listName});
        QCOMPARE(rowsAtStart, QList<int>{1});
        QCOMPARE(cursorKeys, QList<qint64>{form->Image2.cacheKey()}); // the icon as last set
        QVERIFY(!form->lists->drag->activeDrag());

        // Other buttons drag the selection as it stands.
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(rowsAtStart, (QList<int>{1, 1}));
        // The list still answers a later click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(sources.size(), 3);
    }

    void pressOnArtistRunsItsHandlerFirst()
    {
        QString artistFieldAtDrag;
        form->lists->drag->runDrag = [&](QDrag* drag) {
            artistFieldAtDrag = form->artistField->text();
            drag->deleteLater();
        };
        QTest::mousePress(form->artistList->viewport(), Qt::LeftButton, {},
                          form->artistList->visualItemRect(form->artistList->item(1)).center());
        QCOMPARE(artistFieldAtDrag, QStringLiteral("Beta"));
        QCOMPARE(JukeboxFixture::texts(form->titleList).size(), 1);
    }

    void iconOverControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("effect"); // 0 none, 1 no-drop icon, 2 drop icon
        QTest::newRow("playlist") << "List3" << 2;
        for (const char* name : {"Form", "Combo1", "Command1", "Command3", "Command6", "Label3", "Label9",
                                 "Label11", "Label13", "List1", "List2", "Text1", "Text2", "MediaPlayer1"})
            QTest::newRow(name) << name << 1;
        for (const char* name : {"Label1", "Label4", "Label10", "Command12", "Command7"})
            QTest::newRow(name) << name << 0;
    }
    void iconOverControls()
    {
        QFETCH(QString, name);
        QFETCH(int, effect);
        QWidget* target = control(name);
        QVERIFY(target);
        if (name == "Label11")
            form->playlist->hide(); // the notice shows only in the playlist's place
        std::unique_ptr<QMimeData> data(libraryData("List2"));
        for (Icon before : {Icon::NoDrop, Icon::Drop}) {
            setIcon(before);
            const bool accepted = dragEnter(target, data.get());
            QCOMPARE(accepted, effect == 2);
            const Icon expected = effect == 0 ? before : effect == 1 ? Icon::NoDrop : Icon::Drop;
            QVERIFY2(showsIcon(expected), qPrintable(QStringLiteral("icon before: %1").arg(int(before))));
        }
    }

    void otherDragsLeaveTheIcon()
    {
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/tmp/a.mp3")});
        form->SetDropIcon();
        dragEnter(form->stopButton, &files);
        QVERIFY(showsIcon(Icon::Drop));
        form->ResetDragIcon();
        dragEnter(form->playlist, &files);
        QVERIFY(showsIcon(Icon::NoDrop));
    }

    void cursorFollowsTheIcon()
    {
        QList<qint64> cursorKeys;
        form->lists->drag->runDrag = [&](QDrag* drag) {
            for (QWidget* over : {static_cast<QWidget*>(form->playlist), static_cast<QWidget*>(form->pauseButton),
                                  static_cast<QWidget*>(form->playlist)}) {
                dragEnter(over, drag->mimeData());
                QCOMPARE(drag->dragCursor(Qt::CopyAction).cacheKey(), drag->dragCursor(Qt::IgnoreAction).cacheKey());
                cursorKeys.append(drag->dragCursor(Qt::IgnoreAction).cacheKey());
            }
            drag->deleteLater();
        };
        QTest::mousePress(form->artistList->viewport(), Qt::LeftButton, {},
                          form->artistList->visualItemRect(form->artistList->item(0)).center());
        QCOMPARE(cursorKeys, (QList<qint64>{form->Image2.cacheKey(), form->Image1.cacheKey(),
                                            form->Image2.cacheKey()}));
    }
};

QTEST_MAIN(TestLibraryDrag)
#include "tst_library_drag.moc"
