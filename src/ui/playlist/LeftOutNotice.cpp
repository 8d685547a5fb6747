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
                    QStringLiteral("Vexolin"));
}
