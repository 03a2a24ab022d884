#include "platform/scripted_file_dialogs.h"

#include "platform/command_error.h"

QString ScriptedFileDialogs::showOpen(const FileDialogRequest &request)
{
    return next(Kind::Open, request);
}

QString ScriptedFileDialogs::showSave(const FileDialogRequest &request)
{
    return next(Kind::Save, request);
}

QString ScriptedFileDialogs::next(Kind kind, const FileDialogRequest &request)
{
    shown_.push_back({kind, request});
    const bool cancelled = answers_.empty() || !answers_.front().has_value();
    const QString path = cancelled ? QString() : *answers_.front();
    if (!answers_.empty())
        answers_.pop_front();
    if (cancelled)
        throw DialogCancelled();
    return path;
}
