#pragma once

#include "platform/colour.h"
#include "platform/raster_op.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

// A rectangle in the surface's own pixels, possibly fractional: left, top, width, height.
struct RectF {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
};

// A picture surface: an off-screen 24-bit image that keeps everything drawn on it, shown
// or not. A widget may display it (attachView); drawing never depends on that widget.
//
// Its pixels are built only when needed: a new, cleared or wholly filled surface is one
// colour and holds none, and one drawing may wait to be carried out (drawOnDemand) until
// something draws over it. Reading never changes the surface: a read of pixels that are
// not built works them out for that read alone.
//
// Fractional coordinates become whole pixels by rounding each edge half to even, so that
// a rectangle from x covers the columns round(x) .. round(x + w) - 1.
class Surface
{
  public:
    Surface(int width, int height, Colour back = kWhite, Colour fore = kBlack);

    int width() const { return size_.width(); }
    int height() const { return size_.height(); }
    // Keeps the pixels where the old and new sizes overlap, background elsewhere.
    void resize(int width, int height);

    Colour foreColor() const { return fore_; }
    Colour backColor() const { return back_; }
    void setForeColor(Colour c) { fore_ = c; }
    void setBackColor(Colour c) { back_ = c; }

    // Filled box with both corners included, clipped to the surface.
    void fillBox(double left, double top, double right, double bottom, Colour colour);
    // Makes every row a copy of the first row of `row` (cut or left as it is past its width).
    void fillRows(const QImage &row);

    // Paints a picture into dst, from the whole picture or from src, stretching when the
    // sizes differ. A stretched plain copy (SrcCopy) is resampled smoothly, so photos look
    // good reduced and enlarged; a stretched raster operation samples the nearest source
    // pixel, so it never invents colours. Either way the operation itself is exact.
    void paintPicture(const QImage &picture, const RectF &dst, RasterOp op = RasterOp::SrcCopy);
    void paintPicture(const QImage &picture, const RectF &dst, const RectF &src, RasterOp op);

    // Fills dst with colour, then paints the source rectangles of two pictures over it with
    // their raster operations, in that order. The pixels are those of a fill and two
    // paintPicture calls; when nothing is stretched or cut off it is one pass over dst.
    struct Layer {
        const QImage &picture;
        RectF src;
        RasterOp op;
    };
    void fillAndPaint(const RectF &dst, Colour colour, const Layer &first, const Layer &second);

    // Unscaled block transfer of a w x h rectangle from src at (sx, sy) to (x, y).
    void bitBlt(int x, int y, int w, int h, const Surface &src, int sx, int sy, RasterOp op);

    // Exact 24-bit pixel access; point() outside the surface returns 0xFFFFFFFF.
    Colour point(int x, int y) const;
    void pset(int x, int y, Colour colour);

    // The pixels. Copying the returned QImage is a cheap snapshot of built pixels; pixels
    // not built are worked out for each call, so a reader that needs them again and again
    // builds them first.
    QImage image() const;
    void buildPixels();

    // Whether the surface holds built pixels (takes their memory): not before it is drawn on
    // in a way that needs them, or built.
    bool pixelsBuilt() const { return !image_.isNull(); }

    // The colour of a surface that is that colour everywhere and has built no pixels (a new
    // or cleared surface, or one filled whole), or none: a view paints it without building.
    std::optional<Colour> plainColour() const;

    // Drawing on demand, for a surface far larger than the part anyone looks at (the editor's
    // zoomed insert picture). draw(out, origin) must write exactly the pixels of the drawing
    // that out holds, out's (0, 0) being the surface's origin; it may run whenever and as
    // often as those pixels are read, so it must not depend on anything that changes
    // afterwards. The drawing covers `area` (cut to the surface) and replaces what is there,
    // as any drawing does. One drawing waits at a time: a second one that does not cover the
    // first's area carries the first out.
    using Drawing = std::function<void(QImage &out, QPoint origin)>;
    void drawOnDemand(const QRect &area, Drawing draw);
    // The top-left width x height of the image (cut to the surface) a band of rows at a time,
    // top to bottom: use(rows, top) receives rows top .. top + rows.height() - 1, each band
    // worked out just before it is used, so that a pass over them finds them still in the
    // cache; it costs that part only, however large the surface. The rows stay valid during
    // the call only.
    using RowsReader = std::function<void(const QImage &rows, int top)>;
    void readTopLeft(int width, int height, int bandRows, const RowsReader &use) const;

    // The pixels as they are now, as a drawing of the whole surface that nothing done to the
    // surface later changes: for a surface worked out from this one on demand. It costs no
    // copy of the pixels.
    Drawing snapshot() const;

    // Counts the changes of the pixels and the size: an equal count, the same pixels.
    std::uint64_t changeCount() const { return changes_; }

    // Assigning a picture: an auto-sizing surface takes the picture's natural size and
    // shows it; any other surface draws it unscaled at its top-left corner. The empty
    // (null) picture erases the surface to its background colour.
    void setPicture(const QImage &picture);
    void setAutoSize(bool on) { autoSize_ = on; }
    bool autoSize() const { return autoSize_; }

    // Whole-surface pixel work in one pass: fn receives the persistent image to change in
    // place (Format_RGB32, alpha bytes kept at 0xFF).
    template <typename Fn> void editPixels(Fn &&fn)
    {
        buildPixels();
        fn(image_);
        changed();
    }

    // The same for work that writes every pixel: what the surface held is not built first,
    // and fn receives an image of the surface's size whose pixels are not yet defined.
    template <typename Fn> void rewritePixels(Fn &&fn)
    {
        startRewrite();
        fn(image_);
        changed();
    }

    // Erases the drawing to the background colour.
    void clear();

    bool isVisible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

    void attachView(QWidget *view);
    QWidget *view() const { return view_; }

  private:
    struct Pending {
        QRect area;
        Drawing draw;
    };
    void changed();
    void startRewrite();
    void startPlain(Colour colour);
    static void render(const QImage &image, Colour plain, const std::optional<Pending> &pending,
                       QImage &out, const QRect &part);

    // The pixels beneath the pending drawing: the image, or when it is null, plain_ everywhere.
    QImage image_;
    Colour plain_;
    std::optional<Pending> pending_;
    QSize size_;
    Colour back_;
    Colour fore_;
    bool autoSize_ = false;
    bool visible_ = true;
    std::uint64_t changes_ = 0;
    QPointer<QWidget> view_;
};

// A picture as the program holds it: converted to the surfaces' pixel format.
QImage asSurfaceImage(const QImage &picture);
