#include "app_support/program_setup.h"

#include "app_support/qt_japanese.h"
#include "platform/qt_interval_timer.h"
#include "ui/controls.h"

#include <QApplication>

void setUpProgramLook(QApplication &app)
{
    installQtJapanese(app);
    installFontSubstitutions();
    QApplication::setFont(gothicFont(9));
    QApplication::setWindowIcon(stripedIcon());
}

ProgramServices::ProgramServices()
    : platform{dialogs, printer, app, [] { return std::make_unique<QtIntervalTimer>(); }, messages}
{
}
