#pragma once

#include "platform/app_services.h"
#include "platform/file_dialogs.h"
#include "platform/interval_timer.h"
#include "platform/message_service.h"
#include "platform/print_service.h"

// The services the windows reach the system through. The program wires in the Qt
// implementations; tests wire in doubles (scripted dialogs, a PDF printer, a manual clock,
// recorded messages).
struct Platform {
    FileDialogs &dialogs;
    PrintService &printer;
    AppServices &app;
    TimerFactory makeTimer;
    MessageService &messages;
};
