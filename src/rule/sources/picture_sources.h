#pragma once

#include "sources/frame_source.h"

#include <QStringList>

#include <memory>

namespace sources
{

// One picture file: one frame. Throws SourceError when it does not load.
std::unique_ptr<FrameSource> openPicture(const QString &path,
                                         WhenDamaged damaged = WhenDamaged::Accept);
// A picture file with several frames (animated GIF, WebP): every frame, composited as Qt's
// reader gives it.
std::unique_ptr<FrameSource> openAnimation(const QString &path);
// A folder's readable pictures in natural order, one frame each. Throws SourceError when
// it holds none.
std::unique_ptr<FrameSource> openFolder(const QString &path,
                                        WhenDamaged damaged = WhenDamaged::Accept);
// The pictures of a folder, in natural order: files whose header names a picture.
QStringList picturesInFolder(const QString &path);

} // namespace sources
