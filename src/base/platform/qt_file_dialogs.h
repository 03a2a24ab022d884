#pragma once

#include "platform/file_dialogs.h"

class QWidget;

// The real open and save dialogs, on QFileDialog. They leave the working folder alone.
class QtFileDialogs : public FileDialogs {
public:
    QString showOpen(const FileDialogRequest &request) override;
    QString showSave(const FileDialogRequest &request) override;
};
