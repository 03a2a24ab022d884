#include "cli/output_plan.h"

#include "cli/progress.h"
#include "platform/command_error.h"
#include "platform/file_group.h"

#include <QStringList>

#include <new>

namespace cli
{

void OutputPlan::add(const QString &path, std::function<void()> write, const QString &group)
{
    outputs_.push_back({path, std::move(write), group, QString(), nullptr});
}

void OutputPlan::addTogether(const QString &together, const QString &path,
                             std::function<void(FileGroup &)> write, const QString &group)
{
    outputs_.push_back({path, nullptr, group, together, std::move(write)});
}

bool OutputPlan::writeAll(Progress &progress)
{
    std::unique_ptr<FileGroup> files;
    auto batch = outputs_.cbegin(); // the first output of the group in hand
    for (auto it = outputs_.cbegin(); it != outputs_.cend(); ++it) {
        QString failed = it->path;
        QString reason;
        try {
            if (it->together.isEmpty() || !files || it->together != batch->together) {
                batch = it;
                files = std::make_unique<FileGroup>();
            }
            progress.step(QStringLiteral("writing %1").arg(it->path));
            if (it->together.isEmpty()) {
                it->write();
            } else {
                it->writeInto(*files);
                const auto next = it + 1;
                if (next == outputs_.cend() || next->together != it->together) {
                    files->commit();
                    files.reset();
                }
            }
            continue;
        } catch (const FileNotWritten &e) {
            failed = QString::fromStdString(e.path());
            reason = QString::fromStdString(e.reason());
        } catch (const std::bad_alloc &) {
            reason = QStringLiteral("not enough memory");
        } catch (const std::exception &e) {
            reason = QString::fromStdString(e.what());
        }
        return tell(progress, failed, reason, batch);
    }
    return true;
}

bool OutputPlan::tell(Progress &progress, const QString &path, const QString &reason,
                      Iterator unwritten)
{
    progress.report(QStringLiteral("cannot write %1: %2").arg(path, reason));
    progress.report(
        unwritten == outputs_.cbegin()
            ? QStringLiteral("nothing was written")
            : QStringLiteral("written: %1").arg(describe(outputs_.cbegin(), unwritten)));
    progress.report(QStringLiteral("not written: %1").arg(describe(unwritten, outputs_.cend())));
    return false;
}

QString OutputPlan::describe(Iterator begin, Iterator end)
{
    QStringList names;
    for (auto it = begin; it != end;) {
        auto last = it;
        while (!it->group.isEmpty() && last + 1 != end && (last + 1)->group == it->group)
            ++last;
        names << (last == it ? it->path
                             : QStringLiteral("%1 … %2 (%3 files)")
                                   .arg(it->path, last->path)
                                   .arg(last - it + 1));
        it = last + 1;
    }
    return names.join(QStringLiteral(", "));
}

} // namespace cli
