#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

// Delivers a drag from another program to target the way the window system does: it enters,
// then drops. Returns whether the drop was taken and with which action.
struct DropAnswer
{
    bool enterAccepted = false;
    Qt::DropAction enterAction = Qt::IgnoreAction; // what the cursor shows while the drag is over
    bool dropAccepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

inline DropAnswer deliverDrop(QWidget* target, const QMimeData& mime, Qt::DropActions offered)
{
    DropAnswer answer;
    QDragEnterEvent enter(QPoint(4, 4), offered, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    answer.enterAccepted = enter.isAccepted();
    answer.enterAction = enter.dropAction();
    QDropEvent drop(QPointF(4, 4), offered, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    answer.dropAccepted = drop.isAccepted();
    answer.action = drop.dropAction();
    return answer;
}

inline void setFiles(QMimeData& mime, const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls.append(QUrl::fromLocalFile(p));
    mime.setUrls(urls);
}

// What a file manager offers for files: copy, move and link.
inline constexpr Qt::DropActions FileManagerActions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
