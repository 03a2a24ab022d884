#include "app_support/qt_japanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

std::unique_ptr<QTranslator> loadQtJapanese(const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ja"), folder))
        return nullptr;
    return translator;
}

QString qtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool installQtJapanese(QCoreApplication &app, const QString &folder)
{
    std::unique_ptr<QTranslator> translator = loadQtJapanese(folder);
    if (!translator)
        return false;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QCoreApplication::installTranslator(translator.get());
    translator.release()->setParent(&app);
    return true;
}
