#include "sources/natural_order.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace sources
{

namespace
{

// ICU's collation, which compares runs of digits as numbers. The C locale has no such
// collation, so names are then compared as in English.
const QCollator &numericCollator()
{
    static const QCollator collator = [] {
        const QLocale system = QLocale::system();
        QCollator c(system.language() == QLocale::C ? QLocale(QLocale::English) : system);
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        // QCollator sets itself up on its first comparison: done here, once, so that
        // decoding threads sorting folders at the same time only read it.
        c.compare(QString(), QString());
        return c;
    }();
    return collator;
}

} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    if (const int c = numericCollator().compare(a, b))
        return c < 0;
    // Names the collation holds equal ("f2", "f02", "F2") still get one order.
    return a < b;
}

void sortNaturally(QStringList &names)
{
    std::sort(names.begin(), names.end(), naturalLess);
}

} // namespace sources
