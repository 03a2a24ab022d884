#pragma once

#include <QByteArray>
#include <QImage>

// A picture as a lossless 24-bit PNG, made quickly for the large pictures of print sizes.
// Every row is filtered by its difference from the row above: in a stripe picture each
// column keeps to one frame from row to row, where neighbouring columns jump between
// frames, so the row above predicts a pixel far better than its left neighbour. What is
// left is small differences with runs of zeros (a lattice's rows are all zero), which
// zlib's run-length strategy codes about as small as its default search for repeats does
// with every filter tried per row, in a fraction of the time.
// Returns an empty array when the picture is null or the encoder fails.
QByteArray encodePng(const QImage &picture);
