#pragma once

#include <QString>
#include <QStringList>

namespace sources
{

// Whether a comes before b in natural order: runs of digits compare as numbers ("f2"
// before "f10", "f02" beside "f2"), the rest as the user's language collates it without
// regard to case; names that collate alike are then ordered by their characters.
bool naturalLess(const QString &a, const QString &b);
void sortNaturally(QStringList &names);

} // namespace sources
