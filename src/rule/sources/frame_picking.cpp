#include "sources/frame_picking.h"

#include "frames/frames_rule.h"

#include <QStringList>

namespace sources
{

std::vector<int> pickFrames(int total, std::optional<int> count)
{
    std::vector<int> picked;
    if (total < frames::kMinFrames)
        return picked;
    if (total <= frames::kMaxFrames) {
        for (int i = 0; i < total; ++i)
            picked.push_back(i);
        return picked;
    }
    const int n = count.value_or(kDefaultPickCount);
    for (int i = 0; i < n; ++i)
        picked.push_back(int(qint64(i) * total / n));
    return picked;
}

bool pickIsChosen(int total, std::optional<int> count)
{
    return total > frames::kMaxFrames && !count;
}

QString describePick(const std::vector<int> &picked, int total)
{
    QStringList numbers;
    for (const int index : picked)
        numbers << QString::number(index + 1);
    return QStringLiteral("picked %1 of %2 frames: %3")
        .arg(picked.size())
        .arg(total)
        .arg(numbers.join(QStringLiteral(", ")));
}

} // namespace sources
