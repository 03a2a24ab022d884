#include "editor/editor_compose.h"

#include "editor/editor_surfaces.h"
#include "platform/numeric.h"
#include "state/fill_box.h"
#include "state/shared_state.h"

#include <algorithm>
#include <type_traits>
#include <utility>

void buildTransparencyMask(EditorSurfaces &s, SharedState &vars)
{
    Surface &mask = s.Picture4[0];
    const QImage &base = s.Picture2.image();
    const int width = std::min(mask.width(), base.width());
    const int height = std::min(mask.height(), base.height());

    // The holes as a picture: white where the base is pure yellow, black elsewhere. ORed
    // onto the black mask it writes white exactly there and nothing anywhere else.
    QImage holes(mask.width(), mask.height(), QImage::Format_RGB32);
    holes.fill(toQRgb(kBlack));
    const QRgb key = toQRgb(kPureYellow);
    const QRgb white = toQRgb(kWhite);
    bool anyHole = false;
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(base.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(holes.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (in[x] == key) {
                out[x] = white;
                anyHole = true;
            }
        }
    }
    if (anyHole)
        mask.paintPicture(holes, RectF{0, 0, double(holes.width()), double(holes.height())},
                          RasterOp::SrcPaint);

    Surface &inverse = s.Picture5[0];
    vars.fitWidth = inverse.width();
    vars.fitHeight = inverse.height();
    inverse.bitBlt(0, 0, roundHalfEven(vars.fitWidth), roundHalfEven(vars.fitHeight), mask, 0, 0,
                   RasterOp::SrcInvert);
}

namespace
{

constexpr QRgb kAlpha = 0xFF000000u;
constexpr QRgb kWhitePixel = toQRgb(kWhite);

// Rows a band of the insert surface is worked out for at a time: small enough to stay in
// the cache until the composition reads them.
constexpr int kInsertBand = 16;

// One row where the insert surface reaches: the insert picture cut out by the mask (i AND m)
// XORed onto the base picture with its holes blacked out (n AND b). Over white, ANDing the
// base again changes nothing, so the composed row is those two alone.
void composeRow(const QRgb *__restrict m, const QRgb *__restrict n, const QRgb *__restrict b,
                const QRgb *__restrict i, QRgb *__restrict out, int count)
{
    for (int x = 0; x < count; ++x)
        out[x] = ((n[x] & b[x]) ^ (m[x] & i[x])) | kAlpha;
}

// The same where the insert surface does not reach: nothing is ANDed into the mask there.
void composeRowWithoutInsert(const QRgb *__restrict m, const QRgb *__restrict n,
                             const QRgb *__restrict b, QRgb *__restrict out, int count)
{
    for (int x = 0; x < count; ++x)
        out[x] = ((n[x] & b[x]) ^ m[x]) | kAlpha;
}

// An image's rows by address: one detach check for the image, not one per row.
template <typename Pixel> struct Rows {
    Pixel *first;
    qsizetype stride;
    Pixel *row(int y) const
    {
        using Byte = std::conditional_t<std::is_const_v<Pixel>, const uchar, uchar>;
        return reinterpret_cast<Pixel *>(reinterpret_cast<Byte *>(first) + y * stride);
    }
};

Rows<const QRgb> rowsOf(const QImage &image)
{
    return {reinterpret_cast<const QRgb *>(image.constBits()), image.bytesPerLine()};
}

Rows<QRgb> rowsOf(QImage &image)
{
    return {reinterpret_cast<QRgb *>(image.bits()), image.bytesPerLine()};
}

// Pixels of the scratch surface Picture5[1] for the part of the surface out holds, out's
// (0, 0) being at origin: inverse mask AND base.
void cutOutBase(const QImage &inverse, const QImage &base, QImage &out, QPoint origin)
{
    for (int y = 0; y < out.height(); ++y) {
        const QRgb *n = rowsOf(inverse).row(origin.y() + y) + origin.x();
        const QRgb *b = rowsOf(base).row(origin.y() + y) + origin.x();
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = n[x] & b[x];
    }
}

// The same for Picture4[1]: mask AND the insert surface's pixels (drawn by `insert`) inside
// insertArea, the mask alone outside it, as the composition takes them.
void cutOutInsert(const QImage &mask, const Surface::Drawing &insert, const QRect &insertArea,
                  QImage &out, QPoint origin)
{
    out.fill(kWhitePixel);
    const QRect inside = insertArea & QRect(origin, out.size());
    if (!inside.isEmpty()) {
        QImage part(out.scanLine(inside.y() - origin.y()) + 4 * (inside.x() - origin.x()),
                    inside.width(), inside.height(), out.bytesPerLine(), QImage::Format_RGB32);
        insert(part, inside.topLeft());
    }
    for (int y = 0; y < out.height(); ++y) {
        const QRgb *m = rowsOf(mask).row(origin.y() + y) + origin.x();
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = (m[x] & line[x]) | kAlpha;
    }
}

} // namespace

void composeEditorPicture(EditorSurfaces &s, SharedState &vars)
{
    // Picture3 is cleared to white first. The pass below writes every pixel: those it
    // composes from that white, and white where it does not reach.
    SetWholeBox(s.Picture3, vars);
    vars.fitWidth = s.Picture3.width();
    vars.fitHeight = s.Picture3.height();
    const int w = roundHalfEven(vars.fitWidth);
    const int h = roundHalfEven(vars.fitHeight);

    // The seven block transfers, fused into one pass that gives the same pixels:
    //   Picture4[1] = M AND insert, Picture5[1] = N AND base,
    //   Picture3    = white AND base AND Picture5[1] XOR Picture4[1].
    // One operand of the XOR is black wherever the other is not, so no colours mix: the base
    // where it is opaque, the insert picture in its holes. Where the insert surface is
    // smaller than the area, nothing is ANDed into M there, so its holes show white.
    const QImage mask = s.Picture4[0].image();
    const QImage inverse = s.Picture5[0].image();
    const QImage base = s.Picture2.image();
    const auto [areaW, areaH] =
        std::pair{std::min(w, s.Picture3.width()), std::min(h, s.Picture3.height())};
    const int rows = std::max(std::min({areaH, mask.height(), inverse.height(), base.height(),
                                        s.Picture4[1].height(), s.Picture5[1].height()}),
                              0);
    const int columns = std::max(std::min({areaW, mask.width(), inverse.width(), base.width(),
                                           s.Picture4[1].width(), s.Picture5[1].width()}),
                                 0);
    // The two scratch surfaces are worked out only when someone looks at them, from the
    // masks, the base and the insert surface as they are now (snapshots: nothing done to
    // those surfaces later changes them).
    const QRect scratch(0, 0, columns, rows);
    s.Picture5[1].drawOnDemand(scratch, [inverse, base](QImage &out, QPoint origin) {
        cutOutBase(inverse, base, out, origin);
    });
    const QRect insertArea =
        QRect(0, 0, w, h) & QRect(0, 0, s.Picture1.width(), s.Picture1.height());
    s.Picture4[1].drawOnDemand(
        scratch, [mask, insert = s.Picture1.snapshot(), insertArea](QImage &out, QPoint origin) {
            cutOutInsert(mask, insert, insertArea, out, origin);
        });
    s.Picture3.rewritePixels([&](QImage &composed) {
        const Rows<const QRgb> m = rowsOf(mask), n = rowsOf(inverse), b = rowsOf(base);
        const Rows<QRgb> out = rowsOf(composed);
        // Rows from..to - 1, with the insert surface's row y in insert[y - from] across its
        // first `covered` columns.
        const auto composeRows = [&](int from, int to, const QImage *insert, int covered) {
            const Rows<const QRgb> i = insert ? rowsOf(*insert) : Rows<const QRgb>{nullptr, 0};
            for (int y = from; y < to; ++y) {
                if (covered > 0)
                    composeRow(m.row(y), n.row(y), b.row(y), i.row(y - from), out.row(y), covered);
                composeRowWithoutInsert(m.row(y) + covered, n.row(y) + covered, b.row(y) + covered,
                                        out.row(y) + covered, columns - covered);
            }
        };
        // Only the editing area of the insert surface takes part, however large a zoom made
        // it, worked out a band at a time as the pass reaches it.
        int done = 0;
        s.Picture1.readTopLeft(w, h, kInsertBand, [&](const QImage &band, int top) {
            const int to = std::min(top + band.height(), rows);
            composeRows(top, to, &band, std::min(band.width(), columns));
            done = std::max(done, to);
        });
        composeRows(done, rows, nullptr, 0);
        // White where the pass does not reach.
        for (int y = 0; y < composed.height(); ++y)
            std::fill(out.row(y) + (y < rows ? columns : 0), out.row(y) + composed.width(),
                      kWhitePixel);
    });
}
