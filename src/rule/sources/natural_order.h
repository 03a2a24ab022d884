#pragma once

#include <QString>
#include <QStringList>

namespace sources
{

// Whether a comes before b in natural order: runs of digits compare as numbers ("f2"
// before "f10", "f02" beside "f2"), the rest without regard to case, then with it.
bool naturalLess(const QString &a, const QString &b);
void sortNaturally(QStringList &names);

} // namespace sources
