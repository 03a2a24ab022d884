#pragma once

#include <QString>

#include <memory>

class QCoreApplication;
class QTranslator;

// Qt's translations folder on this system.
QString qtTranslationsFolder();

// Qt's own texts in Japanese: the buttons and labels of the file, print and page dialogs
// and of message boxes, from "qtbase_ja.qm" in the folder. Null when the file is missing.
std::unique_ptr<QTranslator> loadQtJapanese(const QString &folder);

// Loads Qt's Japanese texts and installs them for the whole run, whatever the user's
// locale, because the program's own interface is Japanese; dates, sizes and paper units in
// Qt's dialogs follow Japanese conventions too. Without the translation file everything
// stays as it was (English dialogs) and the result is false.
bool installQtJapanese(QCoreApplication &app, const QString &folder = qtTranslationsFolder());
