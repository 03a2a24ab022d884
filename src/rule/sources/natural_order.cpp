#include "sources/natural_order.h"

#include <algorithm>

namespace sources
{

namespace
{

// The run of digits or of other characters starting at i.
QStringView runAt(const QString &s, qsizetype i)
{
    const bool digits = s[i].isDigit();
    qsizetype j = i;
    while (j < s.size() && s[j].isDigit() == digits)
        ++j;
    return QStringView(s).mid(i, j - i);
}

int compareNumbers(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == u'0')
        a = a.mid(1);
    while (b.size() > 1 && b.front() == u'0')
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

int naturalCompare(const QString &a, const QString &b, Qt::CaseSensitivity cs)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const QStringView ra = runAt(a, i);
        const QStringView rb = runAt(b, j);
        const bool da = ra.front().isDigit();
        const bool db = rb.front().isDigit();
        int c = 0;
        if (da && db)
            c = compareNumbers(ra, rb);
        else
            c = ra.compare(rb, cs);
        if (c != 0)
            return c;
        i += ra.size();
        j += rb.size();
    }
    return (a.size() - i > 0) - (b.size() - j > 0);
}

} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    if (const int c = naturalCompare(a, b, Qt::CaseInsensitive))
        return c < 0;
    if (const int c = naturalCompare(a, b, Qt::CaseSensitive))
        return c < 0;
    return a < b;
}

void sortNaturally(QStringList &names)
{
    std::sort(names.begin(), names.end(), naturalLess);
}

} // namespace sources
