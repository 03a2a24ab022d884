#pragma once

#include "geometry/fitted_rows.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <vector>

// The rule of a stripe animation of N frames, for any N from 2 to 8 and slit width w.
// Column x belongs to stripe group g = floor(x / w).
//  - The composed picture takes column x from frame (-g) mod N, so the groups run
//    frame 0, N-1, N-2, ..., 1, then 0 again.
//  - The lattice is white (a slit) where g mod N = 0 and black elsewhere: slits w wide,
//    bars (N - 1) w wide, period N w, the first slit at x = 0.
//  - A preview frame at offset o slides the lattice o pixels to the left over the
//    composed picture: column x keeps its pixel where floor((x + o) / w) mod N = 0 and is
//    black elsewhere. At o = k w frame k shows alone.
// With N = 2 this is the main window's rule. Everything here works on whole images and
// knows nothing of windows, so the frames window, the command line and the print sheet
// all draw through it.
namespace frames
{

constexpr int kMinFrames = 2;
constexpr int kMaxFrames = 8;
constexpr int kMinSlit = 1;
constexpr int kMaxSlit = 10;
constexpr int kMinCanvasSide = 16;
constexpr int kMaxCanvasSide = 10000;

// The frame whose pixels column x of the composed picture shows.
int FrameOfColumn(int x, int slit, int frameCount);
// Whether column x of the lattice, slid `offset` pixels to the left, is a slit.
bool IsSlitColumn(int x, int slit, int frameCount, int offset = 0);

// Composes frames that are already fitted to one canvas size (see FitFrame). Throws
// std::invalid_argument when the count, the slit or the sizes do not fit the rule.
QImage ComposeFrames(const std::vector<QImage> &canvases, int slit);
// The same one frame at a time: copies into `composed` the columns that frame `index` of
// `frameCount` owns, from its fitted canvas of the composed picture's size. Once every
// frame has been given, `composed` equals ComposeFrames of them all; a caller composing
// large canvases holds one fitted frame at a time. Any slit from 1 is taken: a print sheet
// at the printer's resolution has slits of many dots. Throws std::invalid_argument like
// ComposeFrames otherwise.
void ComposeFrameInto(QImage &composed, const QImage &canvas, int index, int frameCount, int slit);
// The same for frames fitted one at a time: fittedFrame(i) gives frame i fitted to the
// canvas, and is asked for each frame in order, so only one fitted frame is held beside the
// composed picture. Throws std::bad_alloc when a fitted frame is null (no memory for it).
QImage ComposeFittedFrames(int frameCount, int slit, const std::function<QImage(int)> &fittedFrame);

// The lattice sheet of the given size.
QImage FramesLattice(QSize size, int slit, int frameCount);
// The same lattice made a band of rows at a time.
RowSource LatticeRows(QSize size, int slit, int frameCount);
// A lattice sheet one period wider than the canvas, so that it covers the whole picture
// at every offset of a cycle.
QSize LatticeSheetSize(QSize canvas, int slit, int frameCount);

// The number of preview frames in one cycle: offsets 0 .. N w - 1.
int CycleLength(int slit, int frameCount);
// The composed picture under the lattice slid `offset` pixels to the left.
QImage PreviewFrame(const QImage &composed, int slit, int frameCount, int offset);
// The same into an image of the composed picture's size, reused from frame to frame.
void PreviewFrameInto(const QImage &composed, int slit, int frameCount, int offset, QImage &out);

// A frame fitted and centred onto a white canvas with the program's fit-and-centre
// placement; naturalSize is the picture's size in its file when it was decoded reduced.
QImage FitFrame(const QImage &picture, QSize naturalSize, QSize canvasSize);
// The same fitted frame made a band of rows at a time.
FittedRows FitFrameRows(QImage picture, QSize naturalSize, QSize canvasSize);

} // namespace frames
