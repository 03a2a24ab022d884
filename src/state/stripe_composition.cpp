#include "state/stripe_composition.h"

#include "platform/colour.h"
#include "platform/nearest_rows.h"
#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace
{

using Pixel = QRgb;

// Where a mask row ends and how much of it the picture covers on row y.
struct LayerRow {
    Pixel *out = nullptr; // the surface's row, or none below its bottom
    const Pixel *mask = nullptr;
    const Pixel *picture = nullptr; // the stretched picture's row, or none
    int width = 0;                  // pixels of the surface's row
    int painted = 0;                // of those, covered by the picture
};

class Layer
{
  public:
    Layer(const StripeLayer &layer, QImage &image, int paintWidth, int paintHeight)
        : image_(image), mask_(asSurfaceImage(layer.maskRow)),
          picture_(layer.picture, paintWidth, paintHeight), paintWidth_(paintWidth),
          paintHeight_(paintHeight)
    {
    }

    LayerRow row(int y)
    {
        if (y >= image_.height() || mask_.isNull())
            return {};
        LayerRow r;
        r.out = reinterpret_cast<Pixel *>(image_.scanLine(y));
        r.mask = reinterpret_cast<const Pixel *>(mask_.constScanLine(0));
        r.width = std::min(image_.width(), mask_.width());
        if (!picture_.isNull() && y < paintHeight_) {
            r.picture = picture_.row(y);
            r.painted = std::min(r.width, paintWidth_);
        }
        return r;
    }

  private:
    QImage &image_;
    QImage mask_;
    NearestRows picture_;
    int paintWidth_;
    int paintHeight_;
};

// The mask row with the picture ORed in, written to the surface's row.
void paintRow(const LayerRow &r)
{
    for (int x = 0; x < r.painted; ++x)
        r.out[x] = r.mask[x] | r.picture[x];
    std::memcpy(r.out + r.painted, r.mask + r.painted,
                sizeof(Pixel) * std::size_t(r.width - r.painted));
}

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

void andRow(Pixel *out, const Pixel *in, int count)
{
    for (int x = 0; x < count; ++x)
        out[x] &= in[x];
}

} // namespace

void composeStripes(const StripeLayer &a, const StripeLayer &b, int paintWidth, int paintHeight,
                    Surface &composed)
{
    // Every pixel of the three surfaces is written: what they held is never built.
    a.surface.rewritePixels([&](QImage &imageA) {
        b.surface.rewritePixels([&](QImage &imageB) {
            composed.rewritePixels([&](QImage &out) {
                Layer layerA(a, imageA, paintWidth, paintHeight);
                Layer layerB(b, imageB, paintWidth, paintHeight);
                const Pixel white = toQRgb(kWhite);
                const int rows = std::max({imageA.height(), imageB.height(), out.height()});
                for (int y = 0; y < rows; ++y) {
                    const LayerRow ra = layerA.row(y);
                    const LayerRow rb = layerB.row(y);
                    Pixel *c =
                        y < out.height() ? reinterpret_cast<Pixel *>(out.scanLine(y)) : nullptr;
                    const int width = out.width();
                    if (c && width > 0 && ra.painted == width && rb.painted == width) {
                        // The usual row: both pictures cover the composed picture's width.
                        composeRow(ra.mask, ra.picture, rb.mask, rb.picture, ra.out, rb.out, c,
                                   width);
                        std::memcpy(ra.out + width, ra.mask + width,
                                    sizeof(Pixel) * std::size_t(ra.width - width));
                        std::memcpy(rb.out + width, rb.mask + width,
                                    sizeof(Pixel) * std::size_t(rb.width - width));
                        continue;
                    }
                    // Rows at an edge: each step on its own, as far as each surface reaches.
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
            });
        });
    });
}
