#pragma once

#include <QPageSize>
#include <QSizeF>
#include <QString>

#include <optional>

// What the user chooses for a print sheet: the paper, the slit in millimetres, the
// printer's resolution and the picture's width on paper.
namespace sheet
{

enum class Paper { A4, JisB5, Letter };

constexpr double kMinSlitMm = 0.2;
constexpr double kMaxSlitMm = 3.0;
constexpr double kDefaultSlitMm = 1.0;
constexpr int kDefaultDpi = 600;
constexpr int kDpiChoices[] = {300, 600, 1200};
// The smallest picture width that still makes a sheet.
constexpr double kMinWidthMm = 10.0;
// Every sheet keeps this much white round its content.
constexpr double kMarginMm = 10.0;

struct SheetChoices {
    Paper paper = Paper::A4;
    bool landscape = false;
    double slitMm = kDefaultSlitMm;
    int dpi = kDefaultDpi;
    // No width: the largest picture that fits inside the margins.
    std::optional<double> widthMm;
};

QPageSize pageSizeOf(Paper paper);
// The paper as it lies, in millimetres.
QSizeF paperMm(Paper paper, bool landscape);
// The paper's name as the window shows it.
QString paperName(Paper paper);

} // namespace sheet
