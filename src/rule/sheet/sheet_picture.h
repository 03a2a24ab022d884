#pragma once

#include "sheet/sheet_geometry.h"
#include "sources/frame_preparation.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

// The picture of a print sheet's first page, built directly at the printer's resolution.
namespace sheet
{

// The most pixels a picture is decoded with for a sheet, both ways: the long side of Letter
// or A4 inside its margins at 1200 dpi. Larger papers fit a picture of more pixels than this
// up from this size; the pictures of a sheet are rarely as large.
inline const QSize kLargestCanvas(13100, 13100);

// A frame as it was decoded: naturalSize is the size of the picture in its file (an
// invalid size: the picture's own).
struct FramePicture {
    QImage picture;
    QSize naturalSize;
};

// A frame for a sheet from where it came from: decoded afresh from its file as finely as a
// sheet may need, or the picture at hand (with its size in its file) when there is no file
// or the file no longer loads.
FramePicture sheetFrameFrom(const QString &path, const QImage &atHand, QSize naturalSize = QSize());

// Every frame fitted onto the canvas of the sheet's size in dots and prepared as asked
// (contained or covering, a silhouette or not), then composed with the sheet's slit in dots
// by the frames rule, so every stripe edge lies on a dot. The frames are fitted one at a
// time, so a canvas of A4 at 1200 dpi needs room for the composition and one fitted frame
// only. Throws std::bad_alloc when even that is too much. `beforeFrame` is called with the
// index of each frame before it is fitted; whatever it throws (a cancel) ends the work.
QImage composeSheetPicture(const std::vector<FramePicture> &frames, const SheetGeometry &g,
                           const sources::Preparation &preparation = {},
                           const std::function<void(int)> &beforeFrame = {});

} // namespace sheet
