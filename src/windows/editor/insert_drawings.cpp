#include "editor/insert_drawings.h"

#include "platform/surface.h"

#include <QRegion>

#include <algorithm>
#include <utility>

namespace
{

// A long history of partly hidden drawings is carried out once rather than kept.
constexpr std::size_t kMaxSteps = 32;

void fill(QImage &out, QPoint origin, const QRect &area, Colour colour)
{
    const QRect r = (area & QRect(origin, out.size())).translated(-origin);
    if (r.isEmpty())
        return;
    const QRgb pixel = toQRgb(colour);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        std::fill(line + r.left(), line + r.right() + 1, pixel);
    }
}

// A part of out, as an image of its own that writes into out's pixels.
QImage window(QImage &out, const QRect &r)
{
    return QImage(out.bits() + r.y() * out.bytesPerLine() + 4 * r.x(), r.width(), r.height(),
                  out.bytesPerLine(), QImage::Format_RGB32);
}

} // namespace

void InsertDrawings::resize(Surface &surface, QSize size)
{
    add(surface, Cut{size});
}

void InsertDrawings::draw(Surface &surface, const ScaledCopy &copy)
{
    add(surface, Drawing{copy, {}, {}});
}

void InsertDrawings::add(Surface &surface, Step step)
{
    auto next = std::make_shared<Steps>();
    if (steps_ && surface.changeCount() == shown_) {
        *next = *steps_;
    } else {
        const std::optional<Colour> plain = surface.plainColour();
        next->start = plain ? QImage() : surface.image();
        next->startColour = plain.value_or(surface.backColor());
        next->startSize = next->size = QSize(surface.width(), surface.height());
        next->back = surface.backColor();
    }
    next->add(std::move(step));
    steps_ = std::move(next);
    if (QSize(surface.width(), surface.height()) != steps_->size) {
        // Shown before the resize too: the surface then lets go of pixels it built, which the
        // steps hold, rather than move them.
        show(surface);
        surface.resize(steps_->size.width(), steps_->size.height());
    }
    show(surface);
}

void InsertDrawings::show(Surface &surface)
{
    surface.drawOnDemand(
        QRect(0, 0, surface.width(), surface.height()),
        [steps = steps_](QImage &out, QPoint origin) { steps->render(out, origin); });
    shown_ = surface.changeCount();
}

void InsertDrawings::Steps::add(Step step)
{
    if (auto *cut = std::get_if<Cut>(&step)) {
        const QSize keep = cut->keep.expandedTo(QSize(0, 0));
        if (keep == size)
            return;
        size = keep;
        steps.push_back(Cut{keep});
    } else {
        Drawing &drawing = std::get<Drawing>(step);
        drawing.area = drawing.copy.area() & QRect(QPoint(0, 0), size);
        drawing.size = size;
        if (drawing.area.isEmpty())
            return;
        steps.push_back(std::move(step));
    }
    prune();
    if (steps.size() > kMaxSteps) {
        QImage flat(size, QImage::Format_RGB32);
        render(flat, QPoint(0, 0));
        start = flat;
        startSize = size;
        steps.clear();
    }
}

// Drops what later steps hide entirely: a drawing whose pixels are all drawn again by one
// later drawing, or cut away by later resizes; the starting pixels likewise; and resizes
// with nothing but background before them.
void InsertDrawings::Steps::prune()
{
    QSize kept = size; // the pixels no later resize has cut away
    const auto hidden = [&](const QRect &area, std::size_t after) {
        const QRect still = area & QRect(QPoint(0, 0), kept);
        if (still.isEmpty())
            return true;
        for (std::size_t j = after; j < steps.size(); ++j)
            if (const auto *later = std::get_if<Drawing>(&steps[j]);
                later && later->area.contains(still))
                return true;
        return false;
    };
    for (std::size_t i = steps.size(); i-- > 0;) {
        if (const auto *cut = std::get_if<Cut>(&steps[i]))
            kept = kept.boundedTo(cut->keep);
        else if (hidden(std::get<Drawing>(steps[i]).area, i + 1))
            steps.erase(steps.begin() + std::ptrdiff_t(i));
    }
    // Resizes in a row, as the zoom leaves them, cut the surface down to the smaller of each
    // side.
    for (std::size_t i = steps.size(); i-- > 1;) {
        const auto *cut = std::get_if<Cut>(&steps[i]);
        if (auto *before = std::get_if<Cut>(&steps[i - 1]); cut && before) {
            before->keep = before->keep.boundedTo(cut->keep);
            steps.erase(steps.begin() + std::ptrdiff_t(i));
        }
    }
    const bool background = start.isNull() && startColour == back;
    if (!background && hidden(QRect(QPoint(0, 0), startSize), 0)) {
        start = QImage();
        startColour = back;
    }
    if (start.isNull() && startColour == back)
        while (!steps.empty() && std::holds_alternative<Cut>(steps.front()))
            steps.erase(steps.begin());
}

// The steps carried out for the part of the surface out holds, out's (0, 0) at origin.
void InsertDrawings::Steps::render(QImage &out, QPoint origin) const
{
    const QRect part(origin, out.size());
    // Start at the newest drawing that covers the whole part as far as the surface reached
    // then (beyond, everything before it was cut away), or else from the starting pixels.
    std::size_t first = steps.size();
    for (; first > 0; --first) {
        const auto *drawing = std::get_if<Drawing>(&steps[first - 1]);
        if (drawing && drawing->area.contains(part & QRect(QPoint(0, 0), drawing->size)))
            break;
    }
    const bool fromStart = first == 0;
    if (!fromStart)
        --first;
    // Background, and the starting pixels, matter only where no drawing from there on
    // writes its own.
    QRegion unwritten(part);
    for (std::size_t i = first; i < steps.size() && !unwritten.isEmpty(); ++i)
        if (const auto *drawing = std::get_if<Drawing>(&steps[i]))
            unwritten -= drawing->area;
    for (const QRect &area : unwritten) {
        fill(out, origin, area, back);
        if (!fromStart)
            continue;
        const QRect r = area & QRect(QPoint(0, 0), startSize);
        if (r.isEmpty())
            continue;
        if (start.isNull()) {
            fill(out, origin, r, startColour);
        } else {
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::copy_n(reinterpret_cast<const QRgb *>(start.constScanLine(y)) + r.left(),
                            r.width(),
                            reinterpret_cast<QRgb *>(out.scanLine(y - origin.y())) +
                                (r.left() - origin.x()));
        }
    }
    for (std::size_t i = first; i < steps.size(); ++i) {
        if (const auto *cut = std::get_if<Cut>(&steps[i])) {
            const QSize keep = cut->keep;
            fill(out, origin, QRect(keep.width(), 0, part.right() + 1, part.bottom() + 1), back);
            fill(out, origin, QRect(0, keep.height(), part.right() + 1, part.bottom() + 1), back);
            continue;
        }
        // Where later steps replace or cut away its pixels, a drawing is not worked out.
        const Drawing &drawing = std::get<Drawing>(steps[i]);
        QRegion shown(drawing.area & part);
        for (std::size_t j = i + 1; j < steps.size() && !shown.isEmpty(); ++j) {
            if (const auto *later = std::get_if<Drawing>(&steps[j]))
                shown -= later->area;
            else
                shown &= QRect(QPoint(0, 0), std::get<Cut>(steps[j]).keep);
        }
        for (const QRect &r : shown) {
            QImage into = window(out, r.translated(-origin));
            drawing.copy.render(into, r.topLeft());
        }
    }
}
