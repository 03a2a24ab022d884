#pragma once

#include "sources/frame_preparation.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

// One slot of the frames strip: the picture decoded for drawing and where it came from.
struct FrameSlot {
    QString path;      // the file it was loaded from; empty for a picture handed over
    QImage picture;    // null while the slot is empty
    QSize naturalSize; // the picture's size in its file
    QSize bound;       // the size it was decoded for; invalid when decoded whole

    bool isEmpty() const { return picture.isNull(); }
};

// The strip of frame slots, 2 to 8 of them, in the order the frames run. Empty slots are
// kept in the strip but left out of the animation. No widgets: the window shows it.
class FrameSlots
{
  public:
    FrameSlots();

    int slotCount() const { return int(slots_.size()); }
    const FrameSlot &slot(int index) const { return slots_.at(size_t(index)); }

    bool canAdd() const;
    // Appends an empty slot; false when the strip is full.
    bool add();
    // Takes the slot out of the strip. The strip never shrinks below two slots: the last
    // two are emptied instead.
    void remove(int index);
    // Swaps the slot with its neighbour; false at the end of the strip.
    bool moveLeft(int index);
    bool moveRight(int index);
    void set(int index, FrameSlot slot);

    // N: the slots that hold a picture.
    int frameCount() const;
    // The filled slots, in strip order.
    std::vector<FrameSlot> frames() const;

  private:
    bool valid(int index) const { return index >= 0 && index < slotCount(); }

    std::vector<FrameSlot> slots_;
};

// A slot filled from a picture file, decoded no finer than `bound` needs. Throws
// PictureDamaged for a damaged file, CommandError when the file does not load.
FrameSlot frameFromFile(const QString &path, QSize bound);
// A slot filled from a picture already in memory (the editor's, handed over).
FrameSlot frameFromPicture(const QImage &picture);

// Every filled slot fitted onto a canvas of the given size and prepared (contained or
// covering, silhouettes) as asked. A picture
// decoded reduced for a smaller canvas is decoded afresh from its file, so a larger canvas
// is never drawn from too few pixels; should its file have gone, the pixels at hand serve.
std::vector<QImage> fittedFrames(const FrameSlots &strip, QSize canvas,
                                 const sources::Preparation &preparation = {});
// One slot fitted and prepared as fittedFrames does it.
QImage fittedFrame(FrameSlot slot, QSize canvas, const sources::Preparation &preparation = {});
// Whether fitting the slot onto the canvas decodes its file afresh, which takes as long as
// the file is large, whatever the canvas.
bool decodesAfresh(const FrameSlot &slot, QSize canvas);
