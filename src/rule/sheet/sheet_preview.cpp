#include "sheet/sheet_preview.h"

#include "frames/frames_rule.h"
#include "platform/smooth_scaling.h"
#include "platform/surface.h"
#include "sheet/sheet_render.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace sheet
{

namespace
{

// The gap between the two pages, as a share of the room's width.
constexpr double kGapShare = 0.03;
constexpr int kLeastGap = 6;

QSizeF paperDots(const SheetGeometry &g)
{
    return g.paperMm * dotsPerMm(g.dpi);
}

int gapFor(double pageWidth)
{
    return std::max(kLeastGap, int(std::lround(2 * pageWidth * kGapShare)));
}

} // namespace

std::vector<FramePicture> previewSources(const std::vector<FramePicture> &frames)
{
    std::vector<FramePicture> reduced;
    for (const FramePicture &frame : frames) {
        FramePicture small{frame.picture,
                           frame.naturalSize.isValid() ? frame.naturalSize : frame.picture.size()};
        const QSize size = frame.picture.size();
        if (size.width() > kPreviewSourceSide || size.height() > kPreviewSourceSide) {
            const QImage scaled =
                smoothScaled(frame.picture, size.scaled(kPreviewSourceSide, kPreviewSourceSide,
                                                        Qt::KeepAspectRatio));
            if (!scaled.isNull())
                small.picture = scaled;
        }
        reduced.push_back(small);
    }
    return reduced;
}

double previewScale(const SheetGeometry &g, QSize room)
{
    return previewScale(paperDots(g), room);
}

double previewScale(QSizeF paper, QSize room)
{
    if (room.isEmpty() || paper.isEmpty())
        return 0;
    // The gap depends on the page width it separates: fit without it, then make room.
    const double across = room.width() / (2 * paper.width() * (1 + kGapShare));
    double scale = std::min(across, room.height() / paper.height());
    while (scale > 0 &&
           2 * std::ceil(paper.width() * scale) + gapFor(paper.width() * scale) > room.width())
        scale *= 0.99;
    while (scale > 0 && std::ceil(paper.height() * scale) > room.height())
        scale *= 0.99;
    return scale;
}

QRect previewPageRect(const SheetGeometry &g, double scale, int page)
{
    return previewPageRect(paperDots(g), scale, page);
}

QRect previewPageRect(QSizeF paperDots, double scale, int page)
{
    const QSizeF paper = paperDots * scale;
    const int width = int(std::ceil(paper.width()));
    const int height = int(std::ceil(paper.height()));
    const int left = page == 1 ? 0 : width + gapFor(paper.width());
    return QRect(left, 0, width, height);
}

QSize previewPictureSize(const SheetGeometry &g, double scale)
{
    return QSize(std::max(1, int(std::lround(g.canvasDots.width() * scale))),
                 std::max(1, int(std::lround(g.canvasDots.height() * scale))));
}

QImage previewPicture(const std::vector<QImage> &fitted, const SheetGeometry &g)
{
    return previewPicture(fitted, g.canvasDots.width(), g.slitDots);
}

QImage previewPicture(const std::vector<QImage> &fitted, int dotsAcross, int slitDots)
{
    const int count = int(fitted.size());
    if (count == 0 || fitted[0].isNull())
        return QImage();
    const QSize size = fitted[0].size();
    std::vector<QImage> frames;
    for (const QImage &frame : fitted)
        frames.push_back(asSurfaceImage(frame));
    // How many dots of each frame every preview column covers.
    const int dots = dotsAcross;
    std::vector<int> weights(size_t(size.width()) * size_t(count), 0);
    std::vector<int> totals(size_t(size.width()), 0);
    for (int x = 0; x < size.width(); ++x) {
        const int first = int(qint64(x) * dots / size.width());
        const int last = std::max(first + 1, int(qint64(x + 1) * dots / size.width()));
        for (int d = first; d < last; ++d)
            ++weights[size_t(x) * size_t(count) +
                      size_t(frames::FrameOfColumn(d, slitDots, count))];
        totals[size_t(x)] = last - first;
    }
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const QRgb *rows[frames::kMaxFrames];
        for (int k = 0; k < count; ++k)
            rows[k] = reinterpret_cast<const QRgb *>(frames[size_t(k)].constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int *w = &weights[size_t(x) * size_t(count)];
            int r = 0, gr = 0, b = 0;
            for (int k = 0; k < count; ++k) {
                r += w[k] * qRed(rows[k][x]);
                gr += w[k] * qGreen(rows[k][x]);
                b += w[k] * qBlue(rows[k][x]);
            }
            const int total = totals[size_t(x)];
            out[x] =
                qRgb((r + total / 2) / total, (gr + total / 2) / total, (b + total / 2) / total);
        }
    }
    return picture;
}

QImage renderSheetPreview(const SheetGeometry &g, double scale, const QImage &picture)
{
    return renderPagesPreview(paperDots(g), scale, [&](QPainter &painter, int page) {
        renderSheetPage(painter, g, page, picture);
    });
}

QImage renderPagesPreview(QSizeF paperDots, double scale,
                          const std::function<void(QPainter &, int page)> &drawPage)
{
    const QRect first = previewPageRect(paperDots, scale, 1);
    const QRect second = previewPageRect(paperDots, scale, 2);
    QImage preview(second.right() + 1, first.height(), QImage::Format_ARGB32_Premultiplied);
    preview.fill(Qt::transparent);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const int page : {1, 2}) {
        const QRect rect = page == 1 ? first : second;
        painter.save();
        painter.fillRect(rect, Qt::white);
        painter.setClipRect(rect);
        painter.translate(rect.topLeft());
        painter.scale(scale, scale);
        drawPage(painter, page);
        painter.restore();
    }
    return preview;
}

} // namespace sheet
