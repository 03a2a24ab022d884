#pragma once

#include "platform/command_error.h"

#include <QString>
#include <QStringList>

// Messages the program shows the user. Commands fail silently, save for failures the user
// would otherwise not see: a file that was not written, a print that did not come out.
class MessageService
{
  public:
    virtual ~MessageService() = default;
    // A warning box with one OK button, in front of the active window.
    virtual void showWarning(const QString &title, const QString &text) = 0;
};

// The warning for a file that could not be written: what failed, the file and the system's
// reason, for example 「保存できませんでした」, the path and "Permission denied".
void reportFileNotWritten(MessageService &messages, const QString &path, const QString &reason);

// The warning for a print job that did not come out: 「印刷できませんでした」 and the
// printer's or the system's reason.
void reportPrintNotCompleted(MessageService &messages, const QString &reason);

// Runs a command like runSilently(), but tells the user about a file it could not write.
// Returns true when the command ran to its end.
template <typename Fn> bool reportingUnwrittenFiles(MessageService &messages, Fn &&fn)
{
    try {
        fn();
        return true;
    } catch (const FileNotWritten &e) {
        reportFileNotWritten(messages, QString::fromStdString(e.path()),
                             QString::fromStdString(e.reason()));
        return false;
    } catch (const CommandError &) {
        return false;
    }
}

class QtMessageService : public MessageService
{
  public:
    void showWarning(const QString &title, const QString &text) override;
};

// The test double: keeps every message instead of showing it.
class RecordedMessages : public MessageService
{
  public:
    struct Message {
        QString title;
        QString text;
    };
    QList<Message> shown;

    void showWarning(const QString &title, const QString &text) override
    {
        shown.append({title, text});
    }
};
