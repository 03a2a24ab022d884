#pragma once

#include <QPageSize>
#include <QSizeF>
#include <QString>

#include <optional>

// What the user chooses for a print sheet: the paper, the slit in millimetres, the
// printer's resolution and the picture's width on paper.
namespace sheet
{

// The first three are the window's first three paper buttons, in their order.
enum class Paper { A4, JisB5, Letter, A3, A2, A1, A0, JisB4, Custom };

// The language of the texts printed on a sheet.
enum class Language { Japanese, English };

constexpr double kMinSlitMm = 0.2;
constexpr double kMaxSlitMm = 3.0;
constexpr double kDefaultSlitMm = 1.0;
constexpr int kDefaultDpi = 600;
// 300, 600, 1200 for most printers; 360 and 720 for those on a grid of 1/360 inch.
constexpr int kDpiChoices[] = {300, 360, 600, 720, 1200};
// The smallest picture width that still makes a sheet.
constexpr double kMinWidthMm = 10.0;
// Every sheet keeps this much white round its content.
constexpr double kMarginMm = 10.0;
// A paper of the user's own size: each side within these.
constexpr double kMinCustomMm = 50.0;
constexpr double kMaxCustomMm = 2000.0;

struct SheetChoices {
    Paper paper = Paper::A4;
    bool landscape = false;
    double slitMm = kDefaultSlitMm;
    int dpi = kDefaultDpi;
    // No width: the largest picture that fits inside the margins.
    std::optional<double> widthMm;
    // The upright size of Paper::Custom, in millimetres; the other papers ignore it.
    QSizeF customMm{210, 297};
    Language language = Language::Japanese;
};

// The page size a printer or PDF is given: the named size for the named papers, so that a
// print queue picks its tray by name; an exact size in millimetres for a custom one.
QPageSize pageSizeOf(const SheetChoices &choices);
// The paper as it lies, in millimetres: exact, as the standards define them.
QSizeF paperMm(const SheetChoices &choices);
// A named paper as it lies (Paper::Custom: the default custom size).
QSizeF paperMm(Paper paper, bool landscape);
// The paper's name as the window shows it.
QString paperName(Paper paper);

} // namespace sheet
