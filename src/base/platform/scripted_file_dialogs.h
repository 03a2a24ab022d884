#pragma once

#include "platform/file_dialogs.h"

#include <deque>
#include <optional>
#include <vector>

// A test double of the file dialogs: answers from a script, records every request.
// An answer of std::nullopt (or an empty script) is a cancel.
class ScriptedFileDialogs : public FileDialogs {
public:
    enum class Kind { Open, Save };
    struct Shown {
        Kind kind;
        FileDialogRequest request;
    };

    void answer(std::optional<QString> path) { answers_.push_back(std::move(path)); }
    const std::vector<Shown> &shown() const { return shown_; }

    QString showOpen(const FileDialogRequest &request) override;
    QString showSave(const FileDialogRequest &request) override;

private:
    QString next(Kind kind, const FileDialogRequest &request);

    std::deque<std::optional<QString>> answers_;
    std::vector<Shown> shown_;
};
