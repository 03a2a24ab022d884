#pragma once

#include "sheet/sheet_choices.h"

#include <QPageSize>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <array>
#include <stdexcept>

// Where everything of a print sheet lies, in whole printer dots. Every stripe edge of the
// composed picture and every bar edge of the lattice then falls on a dot of the printer, so
// the printer never resamples the stripes onto a grid of its own.
namespace sheet
{

// A sheet that cannot be made as chosen: a picture that does not fit the paper, a slit or
// a resolution out of range. what() is the reason in English for the command line;
// message() the same in Japanese for the window.
class SheetRefused : public std::runtime_error
{
  public:
    SheetRefused(const std::string &reason, QString message)
        : std::runtime_error(reason), message_(std::move(message))
    {
    }
    const QString &message() const { return message_; }

  private:
    QString message_;
};

// Round the lattice area, this far out, runs the border: the outer cut of the SVG lattice
// and a thin outline on page 2 to cut film along by hand. What lies inside it (the
// crosses) stays on the cut lattice; the footer's texts lie outside it.
constexpr double kBorderMm = 10.0;
// The registration crosses are centred this far out from each corner of the lattice area,
// both across and down, so their arms stay this far clear of the picture and the lattice.
constexpr double kCrossOffsetMm = 5.0;
// The footer below the border: two lines of text and the 100 mm scale bar.
constexpr double kFooterMm = 20.0;

// A length in millimetres as whole dots, and back.
double dotsPerMm(int dpi);
// s = max(1, round(mm x dpi / 25.4)).
int slitDots(double slitMm, int dpi);
double dotsToMm(double dots, int dpi);
// A length to 0.01 mm as the sheet prints it: "1.02".
QString mmText(double mm);

struct SheetGeometry {
    int dpi = 0;
    int frameCount = 0;
    Paper paper = Paper::A4;
    bool landscape = false;
    // The upright page as printers and PDF files are given it, and the paper as it lies.
    QPageSize pageSize;
    QSizeF paperMm;
    Language language = Language::Japanese;
    int slitDots = 0;
    int periodDots = 0;
    // The composed picture, and the picture area's top-left corner on the page.
    QSize canvasDots;
    QPoint originDots;
    double requestedSlitMm = 0;

    double slitMm() const { return dotsToMm(slitDots, dpi); }
    double periodMm() const { return dotsToMm(periodDots, dpi); }
    double widthMm() const { return dotsToMm(canvasDots.width(), dpi); }
    double heightMm() const { return dotsToMm(canvasDots.height(), dpi); }
    QRect pictureDots() const { return QRect(originDots, canvasDots); }
    // The lattice covers the picture area and one period more to the right, so that it
    // still covers the whole picture wherever it is slid within a cycle.
    QRect latticeDots() const;
    // The border: the lattice area with kBorderMm round it, on whole dots.
    QRect borderDots() const;
    // The centres of the four registration crosses, on dots: top left, top right, bottom
    // left, bottom right of the lattice area, kCrossOffsetMm out both ways. The same on
    // both pages and in the SVG.
    std::array<QPoint, 4> crossCentresDots() const;
};

// Refuses a paper that makes no sheet: a custom size outside 50 to 2000 mm, or a paper
// narrower than the 100 mm scale bar and its margins.
void checkPaper(const SheetChoices &choices);

// Refuses a slit or resolution out of range, a frame count outside 2 to 8, a canvas without
// a size or a paper that makes no sheet (see checkPaper).
void checkChoices(const SheetChoices &choices, int frameCount, QSize canvasAspect);

// The largest picture width, in whole tenths of a millimetre, whose picture, lattice and
// footer fit inside the margins. Throws SheetRefused when even the smallest does not.
double largestWidthMm(const SheetChoices &choices, int frameCount, QSize canvasAspect);

// Lays out a sheet for `frameCount` frames on a canvas of the given aspect (a size in any
// unit: only its proportions count). Throws SheetRefused when the choices are out of range
// or the picture does not fit the paper; nothing is ever cut.
SheetGeometry layOutSheet(const SheetChoices &choices, int frameCount, QSize canvasAspect);

} // namespace sheet
