#include "sheet/sheet_choices.h"

namespace sheet
{

namespace
{

QPageSize::PageSizeId pageSizeId(Paper paper)
{
    switch (paper) {
    case Paper::JisB5:
        // The Japanese B5 of 182 x 257 mm; QPageSize::B5 is the ISO one of 176 x 250 mm.
        return QPageSize::JisB5;
    case Paper::JisB4:
        return QPageSize::JisB4;
    case Paper::Letter:
        return QPageSize::Letter;
    case Paper::A3:
        return QPageSize::A3;
    case Paper::A2:
        return QPageSize::A2;
    case Paper::A1:
        return QPageSize::A1;
    case Paper::A0:
        return QPageSize::A0;
    case Paper::A4:
    case Paper::Custom:
        break;
    }
    return QPageSize::A4;
}

} // namespace

QPageSize pageSizeOf(const SheetChoices &choices)
{
    if (choices.paper != Paper::Custom)
        return QPageSize(pageSizeId(choices.paper));
    return QPageSize(choices.customMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

QSizeF paperMm(const SheetChoices &choices)
{
    const QSizeF upright = choices.paper == Paper::Custom
                               ? choices.customMm
                               : QPageSize(pageSizeId(choices.paper)).size(QPageSize::Millimeter);
    return choices.landscape ? upright.transposed() : upright;
}

QSizeF paperMm(Paper paper, bool landscape)
{
    SheetChoices choices;
    choices.paper = paper;
    choices.landscape = landscape;
    return paperMm(choices);
}

QString paperName(Paper paper)
{
    switch (paper) {
    case Paper::JisB5:
        return QStringLiteral("Ｂ５");
    case Paper::JisB4:
        return QStringLiteral("Ｂ４");
    case Paper::Letter:
        return QStringLiteral("レター");
    case Paper::A3:
        return QStringLiteral("Ａ３");
    case Paper::A2:
        return QStringLiteral("Ａ２");
    case Paper::A1:
        return QStringLiteral("Ａ１");
    case Paper::A0:
        return QStringLiteral("Ａ０");
    case Paper::Custom:
        return QStringLiteral("指定の大きさ");
    case Paper::A4:
        break;
    }
    return QStringLiteral("Ａ４");
}

} // namespace sheet
