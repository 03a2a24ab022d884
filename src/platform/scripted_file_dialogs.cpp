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
    if (answers_.empty())
        throw DialogCancelled();
    std::optional<QString> answer = answers_.front();
    answers_.pop_front();
    if (!answer)
        throw DialogCancelled();
    return *answer;
}
