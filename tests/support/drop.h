#pragma once

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

// Drags files (or text) onto a widget and drops them there. The events go straight to the
// widget: the application delivers a drop only to the target of a real drag in progress.
// Returns whether the widget accepted the drag when it entered.
inline bool dropOn(QWidget *target, const QStringList &paths, const QString &text = QString())
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    if (!urls.isEmpty())
        mime.setUrls(urls);
    if (!text.isEmpty())
        mime.setText(text);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject *>(target)->event(&enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject *>(target)->event(&drop);
    return enter.isAccepted();
}
