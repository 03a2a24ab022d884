#pragma once

#include "editor/scaled_copy.h"
#include "platform/colour.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

class Surface;

// What the zoom and move presses draw on the insert surface Picture1, kept as steps rather
// than pixels: a zoom makes the surface up to 4073 x 3055 pixels, of which the composition
// reads the 640 x 480 editing area alone. A zoom does not clear the surface first, so each
// earlier drawing, at its earlier size, still shows where the later ones do not reach; the
// steps keep each as far as it still shows.
//
// The surface holds the steps as its one drawing on demand, over a snapshot of them that no
// later step changes. Whatever else changes the surface (a fill, a loaded picture) makes the
// next step start afresh from the surface's pixels as they are then.
class InsertDrawings
{
  public:
    // Resizes the surface as Surface::resize does.
    void resize(Surface &surface, QSize size);
    // Draws the copy onto the surface, over what it shows.
    void draw(Surface &surface, const ScaledCopy &copy);

  private:
    // Cuts away the pixels beyond `keep`: a resize (background shows where it grows again).
    struct Cut {
        QSize keep;
    };
    // The copy, cut to `area`: the surface, of `size` then.
    struct Drawing {
        ScaledCopy copy;
        QRect area;
        QSize size;
    };
    using Step = std::variant<Cut, Drawing>;

    struct Steps {
        // The surface's pixels when the steps began: `start`, or when it is null, plain
        // `startColour` everywhere; background beyond startSize.
        QImage start;
        Colour startColour = kWhite;
        QSize startSize;
        Colour back = kWhite;
        QSize size;
        std::vector<Step> steps;

        void add(Step step);
        void prune();
        void render(QImage &out, QPoint origin) const;
    };

    void add(Surface &surface, Step step);
    void show(Surface &surface);

    std::shared_ptr<const Steps> steps_;
    std::uint64_t shown_ = 0; // the surface's change count right after it was given steps_
};
