#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Reading printed PDF files back with poppler-utils (pdfinfo, pdfimages, pdftoppm).
namespace pdf_tools {

// The first of the tools that is not installed, or an empty string when all are.
QString missingTool();

// Runs a tool with a bounded wait; the standard output, or nothing when it failed.
std::optional<QString> run(const QString &tool, const QStringList &arguments);

// "Page size" of the first page, in points.
std::optional<QSizeF> pageSizePoints(const QString &pdf);
int pageCount(const QString &pdf);

// One line of "pdfimages -list".
struct ImageEntry {
    int width = 0;
    int height = 0;
    QString encoding; // "image" (lossless) or "jpeg", ...
    double xPpi = 0;
    double yPpi = 0;
    // The size it covers on paper.
    double widthMm() const { return width / xPpi * 25.4; }
    double heightMm() const { return height / yPpi * 25.4; }
};
std::vector<ImageEntry> images(const QString &pdf);

// The first embedded picture, decoded as it is stored.
QImage firstImage(const QString &pdf, const QString &scratchFolder);

// The first page rendered at the given resolution, optionally cropped to a rectangle of
// the rendering (x, y, width, height in rendered pixels).
QImage render(const QString &pdf, int dpi, const QString &scratchFolder,
              std::optional<QRect> crop = std::nullopt);

} // namespace pdf_tools

constexpr double kPointsPerMm = 72.0 / 25.4;
