#include "state/stripe_composition.h"

#include "platform/colour.h"
#include "platform/nearest_rows.h"
#include "platform/surface.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{

using Pixel = QRgb;

// Where a mask row ends and how much of it the picture covers on row y.
struct LayerRow {
    Pixel *out = nullptr; // the surface's row (or a row standing in for it), or none
    const Pixel *mask = nullptr;
    const Pixel *picture = nullptr; // the stretched picture's row, or none
    int width = 0;                  // pixels of the surface's row
    int painted = 0;                // of those, covered by the picture
};

// Columns x0 .. x1 - 1 of a stripe surface's row into out: the mask row, with the picture
// ORed into its first `painted` pixels.
void paintSpan(const Pixel *mask, const Pixel *picture, int painted, int x0, int x1, Pixel *out)
{
    const int split = std::clamp(painted, x0, x1);
    for (int x = x0; x < split; ++x)
        out[x - x0] = mask[x] | picture[x];
    std::memcpy(out + (split - x0), mask + split, sizeof(Pixel) * std::size_t(x1 - split));
}

// The mask row with the picture ORed in, written to the surface's row.
void paintRow(const LayerRow &r)
{
    paintSpan(r.mask, r.picture, r.painted, 0, r.width, r.out);
}

// One stripe surface as the pass sees it: written row by row, or, when its pixels are drawn
// on demand, each row built in a row of its own for the composed picture to read.
class Layer
{
  public:
    Layer(const StripeLayer &layer, QImage *image, int paintWidth, int paintHeight)
        : image_(image), mask_(asSurfaceImage(layer.maskRow)),
          picture_(layer.picture, paintWidth, paintHeight), paintWidth_(paintWidth),
          paintHeight_(paintHeight),
          width_(std::min(image ? image->width() : layer.surface.width(), mask_.width())),
          height_(image ? image->height() : layer.surface.height())
    {
        if (!image_)
            scratch_.resize(std::size_t(std::max(width_, 0)));
    }

    LayerRow row(int y)
    {
        if (y >= height_ || mask_.isNull())
            return {};
        LayerRow r;
        r.out = image_ ? reinterpret_cast<Pixel *>(image_->scanLine(y)) : scratch_.data();
        r.mask = reinterpret_cast<const Pixel *>(mask_.constScanLine(0));
        r.width = width_;
        if (!picture_.isNull() && y < paintHeight_) {
            r.picture = picture_.row(y);
            r.painted = std::min(r.width, paintWidth_);
        }
        return r;
    }

    // The surface's pixels as a drawing carried out when they are read: the same rows as
    // the pass would write. The drawing keeps its own snapshot of the mask and the picture.
    void drawOnDemand(Surface &surface) const
    {
        if (mask_.isNull() || width_ <= 0)
            return;
        surface.drawOnDemand(QRect(0, 0, width_, height_),
                             [mask = mask_, picture = picture_, paintWidth = paintWidth_,
                              paintHeight = paintHeight_](QImage &out, QPoint origin) {
                                 const auto *m =
                                     reinterpret_cast<const Pixel *>(mask.constScanLine(0));
                                 const int x0 = origin.x();
                                 const int x1 = x0 + out.width();
                                 for (int row = 0; row < out.height(); ++row) {
                                     const int y = origin.y() + row;
                                     const bool painted = !picture.isNull() && y < paintHeight;
                                     paintSpan(m, painted ? picture.row(y) : nullptr,
                                               painted ? std::min(x1, paintWidth) : 0, x0, x1,
                                               reinterpret_cast<Pixel *>(out.scanLine(row)));
                                 }
                             });
    }

  private:
    QImage *image_; // none when the surface is drawn on demand
    QImage mask_;
    NearestRows picture_;
    int paintWidth_;
    int paintHeight_;
    int width_;
    int height_;
    std::vector<Pixel> scratch_;
};

// Both steps at once for a row both pictures cover: each mask with its picture ORed in, and
// both ANDed onto white (the identity of AND) for the composed picture.
void composeRow(const Pixel *__restrict maskA, const Pixel *__restrict pictureA,
                const Pixel *__restrict maskB, const Pixel *__restrict pictureB,
                Pixel *__restrict outA, Pixel *__restrict outB, Pixel *__restrict composed,
                int count)
{
    for (int x = 0; x < count; ++x) {
        const Pixel a = maskA[x] | pictureA[x];
        const Pixel b = maskB[x] | pictureB[x];
        outA[x] = a;
        outB[x] = b;
        composed[x] = a & b;
    }
}

// The same for the composed picture alone, when the stripe surfaces are drawn on demand.
void composeOnlyRow(const Pixel *__restrict maskA, const Pixel *__restrict pictureA,
                    const Pixel *__restrict maskB, const Pixel *__restrict pictureB,
                    Pixel *__restrict composed, int count)
{
    for (int x = 0; x < count; ++x)
        composed[x] = (maskA[x] | pictureA[x]) & (maskB[x] | pictureB[x]);
}

void andRow(Pixel *out, const Pixel *in, int count)
{
    for (int x = 0; x < count; ++x)
        out[x] &= in[x];
}

void composeRows(Layer &layerA, Layer &layerB, int rows, QImage &out, bool layersWritten)
{
    const Pixel white = toQRgb(kWhite);
    const int width = out.width();
    for (int y = 0; y < rows; ++y) {
        const LayerRow ra = layerA.row(y);
        const LayerRow rb = layerB.row(y);
        Pixel *c = y < out.height() ? reinterpret_cast<Pixel *>(out.scanLine(y)) : nullptr;
        if (c && width > 0 && ra.painted == width && rb.painted == width) {
            // The usual row: both pictures cover the composed picture's width.
            if (!layersWritten) {
                composeOnlyRow(ra.mask, ra.picture, rb.mask, rb.picture, c, width);
                continue;
            }
            composeRow(ra.mask, ra.picture, rb.mask, rb.picture, ra.out, rb.out, c, width);
            std::memcpy(ra.out + width, ra.mask + width,
                        sizeof(Pixel) * std::size_t(ra.width - width));
            std::memcpy(rb.out + width, rb.mask + width,
                        sizeof(Pixel) * std::size_t(rb.width - width));
            continue;
        }
        // Rows at an edge: each step on its own, as far as each surface reaches. A surface
        // drawn on demand is only needed here where the composed picture reads it.
        if (!layersWritten && !c)
            continue;
        if (ra.out)
            paintRow(ra);
        if (rb.out)
            paintRow(rb);
        if (!c)
            continue;
        std::fill(c, c + width, white);
        if (ra.out)
            andRow(c, ra.out, std::min(width, ra.width));
        if (rb.out)
            andRow(c, rb.out, std::min(width, rb.width));
    }
}

} // namespace

void composeStripes(const StripeLayer &a, const StripeLayer &b, int paintWidth, int paintHeight,
                    Surface &composed, StripePixels layers)
{
    if (layers == StripePixels::OnDemand) {
        Layer layerA(a, nullptr, paintWidth, paintHeight);
        Layer layerB(b, nullptr, paintWidth, paintHeight);
        layerA.drawOnDemand(a.surface);
        layerB.drawOnDemand(b.surface);
        composed.rewritePixels(
            [&](QImage &out) { composeRows(layerA, layerB, out.height(), out, false); });
        return;
    }
    // Every pixel of the three surfaces is written: what they held is never built.
    a.surface.rewritePixels([&](QImage &imageA) {
        b.surface.rewritePixels([&](QImage &imageB) {
            composed.rewritePixels([&](QImage &out) {
                Layer layerA(a, &imageA, paintWidth, paintHeight);
                Layer layerB(b, &imageB, paintWidth, paintHeight);
                const int rows = std::max({imageA.height(), imageB.height(), out.height()});
                composeRows(layerA, layerB, rows, out, true);
            });
        });
    });
}
