#include "check/MissingFilesCheck.h"

#include "app/Form1.h"
#include "app/SortedLists.h"
#include "browser/ArtistTitleLists.h"
#include "check/MissingFiles.h"
#include "check/RepaintThrottle.h"
#include "editor/DatabaseRewrite.h"
#include "playlist/RecordRemoval.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

MissingFilesCheck::MissingFilesCheck(Form1& form) : form_(form)
{
    QObject::connect(form_.DatabaseCheck, &QAction::triggered, &form_, [this] { DatabaseCheck_Click(); });
    QObject::connect(form_.Command14, &QPushButton::clicked, &form_, [this] { Command14_Click(); });
    QObject::connect(form_.Command13, &QPushButton::clicked, &form_, [this] { Command13_Click(); });
    form_.List5->setUniformItemSizes(true);
}

void MissingFilesCheck::DatabaseCheck_Click()
{
    emptyList(form_.List5);
    emptyList(form_.List6);
    showPanel();
    form_.repaint(); // the panel is seen before the scan starts
    scan();
    if (form_.List6->count() > 0)
        form_.Command14->setEnabled(true);
    form_.Label14->hide();
    form_.Label15->hide();
    form_.Command13->setEnabled(true);
}

void MissingFilesCheck::showPanel()
{
    enableTableMenus(false);
    form_.Picture1->show();
    form_.Picture1->raise();
    form_.List5->show();
    form_.Command13->show();
    form_.Command14->show();
    form_.Command13->setEnabled(false);
    form_.Label14->show();
    form_.Label15->show();
}

void MissingFilesCheck::scan()
{
    const LibraryTable& table = form_.library;
    RepaintThrottle throttle;
    for (int i = table.RecordCount(); i >= 1; --i) {
        if (throttle.due())
            showProgress(i);
        const QString& file = table.record(i).File;
        if (isMissingFile(file)) {
            foundFiles_.append(file);
            foundNumbers_.append(QString::number(i));
        }
    }
    if (table.RecordCount() > 0)
        showProgress(1); // the final state, however recently the last repaint was
}

void MissingFilesCheck::showProgress(int i)
{
    form_.Label15->setText(QString::number(i));
    form_.Label15->repaint();
    if (foundFiles_.isEmpty())
        return;
    form_.List5->addItems(foundFiles_);
    form_.List6->addItems(foundNumbers_);
    foundFiles_.clear();
    foundNumbers_.clear();
    form_.List5->repaint();
}

void MissingFilesCheck::Command14_Click()
{
    // The numbers descend, so removing them one after another from the first is the same as
    // removing them all at once.
    QList<int> numbers;
    numbers.reserve(form_.List6->count());
    for (int row = 0; row < form_.List6->count(); ++row)
        numbers.append(form_.List6->item(row)->text().toInt());
    followRecordRemoval(form_.List3, form_.library, numbers);
    removeRecords(form_.library, numbers);
    // The title list stays usable beside the panel until Done rebuilds it: a title dragged to
    // the playlist meanwhile must still name its own record.
    followRecordRemovalInTitles(form_.List2, numbers);
    emptyList(form_.List5);
    form_.List5->repaint();
    emptyList(form_.List6);
    form_.Command14->setEnabled(false);
    CheckRemoved = true;
}

void MissingFilesCheck::Command13_Click()
{
    form_.List5->hide();
    form_.Command13->hide();
    form_.Command14->hide();
    form_.Command14->setEnabled(false);
    form_.Picture1->hide();
    enableTableMenus(true);
    if (!CheckRemoved)
        return;
    form_.repaint();
    rebuildLists();
    if (rewriteDatabase(form_)) {
        CheckRemoved = false;
        return;
    }
    // The file still holds the removed records: the next Done of the check, or of the record
    // editor, tries again.
    form_.DatabaseChanged = true;
}

void MissingFilesCheck::rebuildLists()
{
    form_.lists->selectAllGenres();
    form_.lists->Command12_Click();
}

void MissingFilesCheck::enableTableMenus(bool enabled)
{
    for (QAction* item : {form_.OpenDatabase, form_.NewVexolin, form_.EditVexolin, form_.CreateCD})
        item->setEnabled(enabled);
}
