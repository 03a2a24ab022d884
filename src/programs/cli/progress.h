#pragma once

#include <QString>
#include <QTextStream>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace cli
{

// Progress on standard error, for work long enough to wonder about. Steps are named as
// they start ("loading frame 2 of 4: b.jpg", "composing frame 2 of 4", "writing out.png");
// nothing is printed until the work has run for `after`, then the step in hand and every
// later one are printed. A quick run stays silent, a quiet one always.
class Progress
{
  public:
    Progress(QTextStream &err, bool quiet,
             std::chrono::milliseconds after = std::chrono::milliseconds(500));
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // What is left of `after` counted from the program's start (none once it has passed).
    static std::chrono::milliseconds fromProgramStart(std::chrono::milliseconds after);

    void step(const QString &what);
    // Something the user should know, printed whatever the time unless quiet: the frames
    // chosen for them.
    void note(const QString &text);
    // A message that is printed whatever the time and even when quiet: a failure.
    void report(const QString &text);

  private:
    void print(const QString &what);

    QTextStream &err_;
    std::mutex mutex_;
    std::condition_variable finished_;
    QString current_;
    bool quiet_ = false;
    bool live_ = false;
    bool done_ = false;
    std::thread watch_;
};

} // namespace cli
