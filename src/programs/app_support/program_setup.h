#pragma once

#include "platform/app_services.h"
#include "platform/message_service.h"
#include "platform/platform.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_print_service.h"

class QApplication;

// Qt's Japanese texts, the Gothic face for "ＭＳ Ｐゴシック" and the striped program icon,
// for the whole run.
void setUpProgramLook(QApplication &app);

// The real dialogs, printer, application services, timers and message boxes the windows
// work through.
struct ProgramServices {
    QtFileDialogs dialogs;
    QtPrintService printer;
    QtAppServices app;
    QtMessageService messages;
    Platform platform;

    ProgramServices();
    ProgramServices(const ProgramServices &) = delete;
    ProgramServices &operator=(const ProgramServices &) = delete;
};
