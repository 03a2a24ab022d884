#include "sheet/sheet_choices.h"

namespace sheet
{

QPageSize pageSizeOf(Paper paper)
{
    switch (paper) {
    case Paper::JisB5:
        // The Japanese B5 of 182 x 257 mm; QPageSize::B5 is the ISO one of 176 x 250 mm.
        return QPageSize(QPageSize::JisB5);
    case Paper::Letter:
        return QPageSize(QPageSize::Letter);
    case Paper::A4:
        break;
    }
    return QPageSize(QPageSize::A4);
}

QSizeF paperMm(Paper paper, bool landscape)
{
    const QSizeF upright = pageSizeOf(paper).size(QPageSize::Millimeter);
    return landscape ? upright.transposed() : upright;
}

QString paperName(Paper paper)
{
    switch (paper) {
    case Paper::JisB5:
        return QStringLiteral("Ｂ５");
    case Paper::Letter:
        return QStringLiteral("レター");
    case Paper::A4:
        break;
    }
    return QStringLiteral("Ａ４");
}

} // namespace sheet
