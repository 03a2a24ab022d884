#include "cli/output_plan.h"

#include "cli/progress.h"
#include "platform/command_error.h"

#include <QStringList>

#include <new>

namespace cli
{

void OutputPlan::add(const QString &path, std::function<void()> write, const QString &group)
{
    outputs_.push_back({path, std::move(write), group});
}

bool OutputPlan::writeAll(Progress &progress)
{
    for (auto it = outputs_.cbegin(); it != outputs_.cend(); ++it) {
        progress.step(QStringLiteral("writing %1").arg(it->path));
        QString reason;
        try {
            it->write();
            continue;
        } catch (const FileNotWritten &e) {
            reason = QString::fromStdString(e.reason());
        } catch (const std::bad_alloc &) {
            reason = QStringLiteral("not enough memory");
        } catch (const std::exception &e) {
            reason = QString::fromStdString(e.what());
        }
        progress.report(QStringLiteral("cannot write %1: %2").arg(it->path, reason));
        progress.report(it == outputs_.cbegin()
                            ? QStringLiteral("nothing was written")
                            : QStringLiteral("written: %1").arg(describe(outputs_.cbegin(), it)));
        progress.report(QStringLiteral("not written: %1").arg(describe(it, outputs_.cend())));
        return false;
    }
    return true;
}

QString OutputPlan::describe(std::vector<Output>::const_iterator begin,
                             std::vector<Output>::const_iterator end)
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
