#include "editor/editor_compose.h"

#include "editor/editor_surfaces.h"
#include "platform/numeric.h"
#include "state/fill_box.h"
#include "state/shared_state.h"

#include <algorithm>

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

// One row where the insert surface reaches: the insert picture cut out by the mask, the base
// picture with its holes blacked out, and the composed row from both.
void composeRow(const QRgb *__restrict m, const QRgb *__restrict n, const QRgb *__restrict b,
                const QRgb *__restrict i, QRgb *__restrict ci, QRgb *__restrict cb,
                QRgb *__restrict out, int count)
{
    for (int x = 0; x < count; ++x) {
        ci[x] = m[x] & i[x];
        cb[x] = n[x] & b[x];
        out[x] = ((out[x] & b[x] & cb[x]) ^ ci[x]) | kAlpha;
    }
}

// The same where the insert surface does not reach: nothing is ANDed into the mask there.
void composeRowWithoutInsert(const QRgb *__restrict m, const QRgb *__restrict n,
                             const QRgb *__restrict b, QRgb *__restrict ci, QRgb *__restrict cb,
                             QRgb *__restrict out, int count)
{
    for (int x = 0; x < count; ++x) {
        ci[x] = m[x];
        cb[x] = n[x] & b[x];
        out[x] = ((out[x] & b[x] & cb[x]) ^ ci[x]) | kAlpha;
    }
}

} // namespace

void composeEditorPicture(EditorSurfaces &s, SharedState &vars)
{
    FillWhole(s.Picture3, vars, kWhite);
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
    // Only the editing area of the insert surface takes part, however large a zoom made it.
    const QImage insert = s.Picture1.topLeft(w, h);
    const QImage base = s.Picture2.image();
    const auto inside = [w, h](const QImage &image) {
        return std::pair{std::min(w, image.width()), std::min(h, image.height())};
    };
    const auto [areaW, areaH] = inside(s.Picture3.image());
    const auto [insertW, insertH] = inside(insert);
    const int rows = std::min({areaH, mask.height(), inverse.height(), base.height(),
                               s.Picture4[1].height(), s.Picture5[1].height()});
    const int columns = std::min({areaW, mask.width(), inverse.width(), base.width(),
                                  s.Picture4[1].width(), s.Picture5[1].width()});
    s.Picture4[1].editPixels([&](QImage &cutInsert) {
        s.Picture5[1].editPixels([&](QImage &cutBase) {
            s.Picture3.editPixels([&](QImage &composed) {
                for (int y = 0; y < rows; ++y) {
                    const auto *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
                    const auto *n = reinterpret_cast<const QRgb *>(inverse.constScanLine(y));
                    const auto *b = reinterpret_cast<const QRgb *>(base.constScanLine(y));
                    const auto *i = y < insertH
                                        ? reinterpret_cast<const QRgb *>(insert.constScanLine(y))
                                        : nullptr;
                    auto *ci = reinterpret_cast<QRgb *>(cutInsert.scanLine(y));
                    auto *cb = reinterpret_cast<QRgb *>(cutBase.scanLine(y));
                    auto *out = reinterpret_cast<QRgb *>(composed.scanLine(y));
                    const int covered = i ? std::max(std::min(insertW, columns), 0) : 0;
                    if (covered > 0)
                        composeRow(m, n, b, i, ci, cb, out, covered);
                    composeRowWithoutInsert(m + covered, n + covered, b + covered, ci + covered,
                                            cb + covered, out + covered, columns - covered);
                }
            });
        });
    });
}
