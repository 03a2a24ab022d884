#include "platform/file_dialogs.h"

QStringList toQtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

FileDialogRequest pictureOpenRequest(const QString &folder)
{
    return FileDialogRequest{QStringLiteral("(*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg"), folder,
                             QString(), 0};
}

FileDialogRequest bitmapSaveRequest(const QString &folder)
{
    return FileDialogRequest{QStringLiteral("(*.bmp)|*.bmp"), folder, QString(), 0};
}

FileDialogRequest animationSaveRequest(const QString &folder)
{
    return FileDialogRequest{QStringLiteral("(*.gif)|*.gif|(*.webp)|*.webp"), folder, QString(), 0};
}
