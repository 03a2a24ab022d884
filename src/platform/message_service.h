#pragma once

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
