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

void composeEditorPicture(EditorSurfaces &s, SharedState &vars)
{
    s.Picture3.clear();
    FillWhole(s.Picture3, vars, kWhite);
    vars.fitWidth = s.Picture3.width();
    vars.fitHeight = s.Picture3.height();
    const int w = roundHalfEven(vars.fitWidth);
    const int h = roundHalfEven(vars.fitHeight);

    // Every operand of the last XOR is black wherever the other one is not, so no colours
    // mix: the base where it is opaque, the insert picture in its holes.
    s.Picture4[1].bitBlt(0, 0, w, h, s.Picture4[0], 0, 0, RasterOp::SrcCopy);
    s.Picture5[1].bitBlt(0, 0, w, h, s.Picture5[0], 0, 0, RasterOp::SrcCopy);
    s.Picture4[1].bitBlt(0, 0, w, h, s.Picture1, 0, 0, RasterOp::SrcAnd);
    s.Picture5[1].bitBlt(0, 0, w, h, s.Picture2, 0, 0, RasterOp::SrcAnd);
    s.Picture3.bitBlt(0, 0, w, h, s.Picture2, 0, 0, RasterOp::SrcAnd);
    s.Picture3.bitBlt(0, 0, w, h, s.Picture5[1], 0, 0, RasterOp::SrcAnd);
    s.Picture3.bitBlt(0, 0, w, h, s.Picture4[1], 0, 0, RasterOp::SrcInvert);
}
