// Every caption of every window shows whole with the fonts this platform has: its text fits the
// control, and no control stacked above it covers the text. The end-to-end check
// (tests/e2e/captions.sh) looks at the screen; this one computes from the fonts, so it also sees
// a wrapped notice that lost a line and texts the screen shows only at their longest.
#include "JukeboxFixture.h"
#include "core/SharedTexts.h"
#include "core/StatusTexts.h"
#include "ui/about/AboutWindow.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/check/DatabaseCheck.h"
#include "ui/editor/RecordEditor.h"
#include "ui/playlist/AddUrlWindow.h"
#include "ui/playlist/PlaylistEditor.h"
#include "ui/search/SearchDialog.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <variant>

namespace {

const QList<QStringList> Records = {
    {"The Examples", "First Song", "Pop", "/media/first.wav"},
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
};

// Where the control draws its caption, or why the caption does not fit the control.
std::variant<QRect, QString> captionRect(QWidget* control, const QString& caption)
{
    const QFontMetrics metrics(control->font());
    if (auto* label = qobject_cast<QLabel*>(control)) {
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            for (const QString& word : caption.split(QChar(' '), Qt::SkipEmptyParts))
                if (metrics.horizontalAdvance(word) > room.width())
                    return QStringLiteral("the word \"%1\" is wider than the label").arg(word);
            if (label->heightForWidth(label->width()) > label->height())
                return QStringLiteral("its lines need %1 pixels, it has %2").arg(label->heightForWidth(label->width())).arg(label->height());
            return room;
        }
        const QRect text = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                               QSize(metrics.horizontalAdvance(caption), metrics.height()), room);
        if (!room.contains(text))
            return QStringLiteral("needs %1 x %2 pixels, has %3 x %4").arg(text.width()).arg(text.height()).arg(room.width()).arg(room.height());
        return text;
    }
    auto* button = qobject_cast<QAbstractButton*>(control);
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = caption;
    const QStyle::SubElement contents = qobject_cast<QPushButton*>(button) ? QStyle::SE_PushButtonContents
                                        : qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                              : QStyle::SE_CheckBoxContents;
    const QRect room = button->style()->subElementRect(contents, &option, button);
    if (metrics.horizontalAdvance(caption) > room.width() || metrics.height() > room.height())
        return QStringLiteral("needs %1 x %2 pixels, has %3 x %4").arg(metrics.horizontalAdvance(caption)).arg(metrics.height()).arg(room.width()).arg(room.height());
    return room;
}

// Why the caption of a control is not wholly visible in its window; empty when it is.
QString cutOf(QWidget* control)
{
    const QString caption = qobject_cast<QLabel*>(control) ? static_cast<QLabel*>(control)->text()
                                                           : static_cast<QAbstractButton*>(control)->text();
    const auto fitted = captionRect(control, caption);
    if (const QString* why = std::get_if<QString>(&fitted))
        return *why;
    QRect text = std::get<QRect>(fitted).translated(control->pos());
    // Up to the window: the parent holds the text, and no later sibling (stacked above) covers it.
    for (QWidget* level = control; !level->isWindow(); level = level->parentWidget()) {
        QWidget* parent = level->parentWidget();
        if (!parent->rect().contains(text))
            return QStringLiteral("runs out of %1").arg(parent->objectName());
        const QObjectList& stack = parent->children();
        for (qsizetype i = stack.indexOf(level) + 1; i < stack.size(); ++i) {
            auto* above = qobject_cast<QWidget*>(stack[i]);
            if (!above || above->isHidden() || above->isWindow() || !above->geometry().intersects(text))
                continue;
            if (level == control && above->geometry().contains(control->geometry()))
                return {}; // lies wholly under another control by design (the wait notice under the list)
            return QStringLiteral("covered by %1").arg(above->objectName());
        }
        if (!parent->isWindow())
            text.translate(parent->pos());
    }
    return {};
}

// The cut captions of a window as it is now, as "state: control \"caption\": why".
QStringList cutCaptions(QWidget* window, const QString& state)
{
    QStringList cut;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const bool captioned = (qobject_cast<QLabel*>(control) && !static_cast<QLabel*>(control)->text().isEmpty())
                               || (qobject_cast<QAbstractButton*>(control) && !static_cast<QAbstractButton*>(control)->text().isEmpty());
        if (!captioned || !control->isVisibleTo(window))
            continue;
        if (const QString why = cutOf(control); !why.isEmpty())
            cut << QStringLiteral("%1: %2 \"%3\": %4").arg(state, control->objectName(),
                                                             qobject_cast<QLabel*>(control) ? static_cast<QLabel*>(control)->text().left(40)
                                                                                            : static_cast<QAbstractButton*>(control)->text(),
                                                             why);
    }
    return cut;
}

} // namespace

class TestCaptions : public QObject
{
    Q_OBJECT
private slots:
    void everyCaptionShowsWhole();
};

void TestCaptions::everyCaptionShowsWhole()
{
    JukeboxFixture f;
    Jukebox& j = f.startWithRecords(Records);
    MainWindow& w = f.window();
    w.statusTimer->stop();
    QStringList cut;

    // The main window with the longest texts its values give.
    w.statusLine->setText(statusLineText(25000, 25000, 32767));
    w.playtimeLabel->setText(clockText(100 * 3600));
    w.timeLeftLabel->setText(clockText(100 * 3600));
    w.entryCounter->setText(QStringLiteral("999/999"));
    cut << cutCaptions(&w, "main window");
    for (const QString& notice : {AddingFilesNotice, ShufflingNotice}) {
        w.showWaitNotice(notice);
        cut << cutCaptions(&w, "wait notice");
        w.hideWaitNotice();
    }

    j.editor().startEditing();
    cut << cutCaptions(&w, "record editor");
    j.editor().finishEditing();

    j.check().start();
    w.missingCount->setText(QStringLiteral("25000"));
    w.missingCount->show();
    w.missingCountCaption->show();
    cut << cutCaptions(&w, "database check");
    j.check().finish();

    j.cdWizard().start();
    w.statusLine->setText(selectionLineText(32767, 9999 * 1024));
    cut << cutCaptions(&w, "CD wizard, selecting");
    QVERIFY(QDir(f.dir.path()).mkdir("cd"));
    f.fileDialog.answers = {f.dir.filePath("cd/Set.VxDatabase")};
    j.cdWizard().copySelection();
    QCOMPARE(w.playerNotice->text(), CdClosingMessage);
    cut << cutCaptions(&w, "CD wizard, done");
    j.cdWizard().close();

    cut << cutCaptions(&j.search(), "search");
    j.playlistEditor().showAddUrlWindow();
    cut << cutCaptions(j.playlistEditor().addUrlWindow(), "add url");
    cut << cutCaptions(&j.about(), "about");

    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QChar('\n'))));
}

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
