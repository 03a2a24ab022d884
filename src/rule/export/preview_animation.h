#pragma once

#include "shapes/shape_rule.h"

#include <QImage>
#include <QString>

#include <functional>

class FileNotWritten;
class MessageService;

namespace animation
{

// The preview moves the lattice one pixel every 100 ms; a saved preview keeps that pace.
constexpr int kPreviewFrameDelayMs = 100;

// Saves one cycle of a preview as an animation in the format the name asks for (.gif or
// .webp): the composed picture under the shape's lattice at every step of its cycle, a
// step every 100 ms. Frames are drawn one at a time as the encoder asks. Throws
// FileNotWritten with the reason on failure. `beforeFrame`, when given, is told before each
// frame is drawn how many were drawn before it, of previewAnimationSteps(); when it throws
// sources::Cancelled the save stops there, the Cancelled passes on and no file is left.
void savePreviewAnimation(const QImage &composed, const shapes::ShapeRule &rule,
                          const QString &path,
                          const std::function<void(int drawn)> &beforeFrame = {});
// How many frames savePreviewAnimation draws for the name: GIF draws each step twice.
int previewAnimationSteps(const shapes::ShapeRule &rule, const QString &path);
// The flat sheet's: the lattice slid 0, 1, ... N w - 1 pixels.
void savePreviewAnimation(const QImage &composed, int slit, int frameCount, const QString &path);

// The same for a window: a file that could not be written, a name of another kind
// included, is reported to the user. Returns whether the file was written.
bool savePreviewAnimation(const QImage &composed, const shapes::ShapeRule &rule,
                          const QString &path, MessageService &messages);
bool savePreviewAnimation(const QImage &composed, int slit, int frameCount, const QString &path,
                          MessageService &messages);
// Tells the user that the preview animation under `path` was not written, and why.
void reportAnimationNotWritten(MessageService &messages, const QString &path,
                               const FileNotWritten &failure);

} // namespace animation
