#include "frames_window/frame_slots.h"

#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/picture_file.h"
#include "platform/smooth_scaling.h"
#include "platform/surface.h"

#include <algorithm>

#include <utility>

FrameSlots::FrameSlots() : slots_(size_t(frames::kMinFrames)) {}

bool FrameSlots::canAdd() const
{
    return slotCount() < frames::kMaxFrames;
}

bool FrameSlots::add()
{
    if (!canAdd())
        return false;
    slots_.emplace_back();
    return true;
}

void FrameSlots::remove(int index)
{
    if (!valid(index))
        return;
    slots_.erase(slots_.begin() + index);
    if (slotCount() < frames::kMinFrames)
        slots_.emplace_back();
}

bool FrameSlots::moveLeft(int index)
{
    if (!valid(index) || index == 0)
        return false;
    std::swap(slots_[size_t(index)], slots_[size_t(index - 1)]);
    return true;
}

bool FrameSlots::moveRight(int index)
{
    if (!valid(index) || index == slotCount() - 1)
        return false;
    std::swap(slots_[size_t(index)], slots_[size_t(index + 1)]);
    return true;
}

void FrameSlots::set(int index, FrameSlot slot)
{
    if (valid(index))
        slots_[size_t(index)] = std::move(slot);
}

int FrameSlots::frameCount() const
{
    int count = 0;
    for (const FrameSlot &s : slots_)
        count += !s.isEmpty();
    return count;
}

std::vector<FrameSlot> FrameSlots::frames() const
{
    std::vector<FrameSlot> filled;
    for (const FrameSlot &s : slots_)
        if (!s.isEmpty())
            filled.push_back(s);
    return filled;
}

FrameSlot frameFromFile(const QString &path, QSize bound)
{
    DecodedPicture decoded = loadPictureFor(path, bound, WhenDamaged::Refuse);
    if (decoded.picture.isNull())
        throw CommandError("picture did not decode");
    // Eight slots of large photographs would hold gigabytes; a slot keeps twice the pixels
    // the canvas needs at most. A later, larger canvas decodes the file afresh.
    const int side = std::max(bound.width(), bound.height());
    const int shortSide = std::min(decoded.picture.width(), decoded.picture.height());
    if (side > 0 && shortSide > 2 * side) {
        const QSize kept = (QSizeF(decoded.picture.size()) * (2.0 * side / shortSide)).toSize();
        decoded.picture = asSurfaceImage(smoothScaled(decoded.picture, kept));
    }
    return FrameSlot{path, std::move(decoded.picture), decoded.naturalSize, bound};
}

FrameSlot frameFromPicture(const QImage &picture)
{
    return FrameSlot{QString(), picture, picture.size(), QSize()};
}

bool decodesAfresh(const FrameSlot &slot, QSize canvas)
{
    const bool reduced = slot.picture.size() != slot.naturalSize;
    const bool boundTooSmall = !slot.bound.isValid() || canvas.width() > slot.bound.width() ||
                               canvas.height() > slot.bound.height();
    return reduced && boundTooSmall && !slot.path.isEmpty();
}

QImage fittedFrame(FrameSlot slot, QSize canvas, const sources::Preparation &preparation)
{
    if (decodesAfresh(slot, canvas))
        runSilently([&] { slot = frameFromFile(slot.path, canvas); });
    return sources::PrepareFrame(slot.picture, slot.naturalSize, canvas, preparation);
}

std::vector<QImage> fittedFrames(const FrameSlots &strip, QSize canvas,
                                 const sources::Preparation &preparation)
{
    std::vector<QImage> fitted;
    for (const FrameSlot &slot : strip.frames())
        fitted.push_back(fittedFrame(slot, canvas, preparation));
    return fitted;
}
