#include "platform/app_services.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

QString withTrailingSeparator(const QString &folder)
{
    const QChar separator = QDir::separator();
    if (folder.endsWith(separator))
        return folder;
    return folder + separator;
}

QString QtAppServices::programFolder() const
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QSize QtAppServices::screenSizeTwips() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->size() : QSize(1280, 1024);
    return pixels * 15;
}

void QtAppServices::endProgram()
{
    QCoreApplication::exit(0);
}
