#pragma once

#include "geometry/fitted_rows.h"

#include <QImage>
#include <QSize>

#include <optional>

// How a frame is made ready for the stripes, after it is decoded: fitted onto the canvas
// (contained on white or covering it), then, when asked, turned into a silhouette. The
// frames window, lintaro-cli compose and lintaro-cli sheet all prepare frames here.
namespace sources
{

enum class Fit {
    Contain, // the whole picture, centred on white (the program's fit-and-centre)
    Cover,   // the canvas filled, the overflow cropped evenly from both sides
};

struct Preparation {
    Fit fit = Fit::Contain;
    bool silhouette = false;
    // Black below this luminance (0..256); none: chosen for each frame by Otsu's method.
    std::optional<int> threshold;
    // White where the silhouette would be black and black where it would be white.
    bool invert = false;
};

// The picture (decoded at any scale of its natural size) scaled to cover the canvas,
// centred, its overflow cut off.
QImage CoverFrame(const QImage &picture, QSize naturalSize, QSize canvasSize);

// Rec. 601 luminance of an RGB pixel, 0..255.
int Luminance(QRgb pixel);
// The threshold T by Otsu's method: the split of the luminance histogram into pixels
// below T and the rest with the largest variance between the two. 128 for a picture of
// one luminance.
int OtsuThreshold(const QImage &picture);
// Black where the luminance is below the threshold, white elsewhere (swapped by invert).
QImage Silhouette(const QImage &picture, std::optional<int> threshold, bool invert);

// A decoded frame fitted onto the canvas and made ready as `preparation` says, a band of
// rows at a time (see FittedRows): only the decoded picture is held, as 24-bit pixels.
// A silhouette whose threshold is chosen by Otsu's method goes over the fitted frame once
// to choose it.
class PreparedFrame
{
  public:
    PreparedFrame(QImage picture, QSize naturalSize, QSize canvasSize,
                  const Preparation &preparation);
    void rows(int y, int count, uchar *out, qsizetype stride);
    RowSource source();

  private:
    FittedRows fitted_;
    Preparation preparation_;
};

// A decoded frame fitted onto the canvas and made ready as `preparation` says.
QImage PrepareFrame(const QImage &picture, QSize naturalSize, QSize canvasSize,
                    const Preparation &preparation);

} // namespace sources
