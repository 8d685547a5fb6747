#include "ui/playlist/LeftOutNotice.h"

#include "core/PlaylistEntry.h"
#include "ui/seams/Seams.h"

void tellEntriesLeftOut(MessageBox& messageBox, QWidget* parent, qsizetype leftOut)
{
    if (leftOut <= 0)
        return;
    const QString count = leftOut == 1 ? QStringLiteral("1 entry was") : QStringLiteral("%1 entries were").arg(leftOut);
    messageBox.show(parent,
                    QStringLiteral("%1 left out: the playlist holds at most %2 entries.").arg(count).arg(PlaylistCapacity),
                    MessageBox::programTitle());
}

void tellEntriesRefused(MessageBox& messageBox, QWidget* parent, const QStringList& refusals)
{
    if (refusals.isEmpty())
        return;
    // A long list is cut: the first ones show what is wrong.
    constexpr qsizetype Shown = 10;
    QString text = QStringLiteral("Not added to the playlist:\n\n") + refusals.first(qMin(Shown, refusals.size())).join(u'\n');
    if (refusals.size() > Shown)
        text += QStringLiteral("\n... and %1 more.").arg(refusals.size() - Shown);
    messageBox.show(parent, text, MessageBox::programTitle());
}
