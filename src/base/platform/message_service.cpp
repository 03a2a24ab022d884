#include "platform/message_service.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

void reportFileNotWritten(MessageService &messages, const QString &path, const QString &reason)
{
    messages.showWarning(
        QStringLiteral("Lintaro"),
        QStringLiteral("保存できませんでした\n%1\n%2").arg(QDir::toNativeSeparators(path), reason));
}

void reportPrintNotCompleted(MessageService &messages, const QString &reason)
{
    messages.showWarning(QStringLiteral("Lintaro"),
                         QStringLiteral("印刷できませんでした\n%1").arg(reason));
}

void QtMessageService::showWarning(const QString &title, const QString &text)
{
    QMessageBox::warning(QApplication::activeWindow(), title, text);
}
