#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QSize>

#include <memory>

// A picture as a lossless 24-bit PNG, made quickly for the large pictures of print sizes.
// Every row is filtered by its difference from the row above: in a stripe picture each
// column keeps to one frame from row to row, where neighbouring columns jump between
// frames, so the row above predicts a pixel far better than its left neighbour. What is
// left is small differences with runs of zeros (a lattice's rows are all zero), which
// zlib's run-length strategy codes about as small as its default search for repeats does
// with every filter tried per row, in a fraction of the time.
// Returns an empty array when the picture is null or the encoder fails.
QByteArray encodePng(const QImage &picture);

// The same PNG written into a device a band of rows at a time, top to bottom, so that a
// picture of any size is never held whole. Rows are red, green, blue bytes.
class PngRowWriter
{
  public:
    PngRowWriter(QIODevice &device, QSize size);
    ~PngRowWriter();
    // False once the encoder or the device has failed; the device's errorString() then
    // says why when it was the device.
    bool write(const uchar *rgb, int count, qsizetype stride);
    // Whether every row was written and the file closed.
    bool finished() const { return finished_; }

  private:
    struct Context;
    std::unique_ptr<Context> context_;
    QIODevice &device_;
    size_t rowBytes_ = 0;
    int height_ = 0;
    int next_ = 0;
    bool failed_ = false;
    bool finished_ = false;
};

// A 24-bit bitmap written into a device a band of rows at a time, as Qt's BMP writer
// writes it. A bitmap keeps its rows bottom to top, so the bands are given from the last
// row up: write(rows) takes rows in top-to-bottom order within a band, the bands from the
// bottom of the picture to its top.
class BmpRowWriter
{
  public:
    BmpRowWriter(QIODevice &device, QSize size, int dotsPerMeterX = 3780, int dotsPerMeterY = 3780);
    bool write(const uchar *rgb, int count, qsizetype stride);
    bool finished() const { return !failed_ && left_ == 0; }

  private:
    QIODevice &device_;
    int width_;
    int left_; // rows still to come
    bool failed_ = false;
    QByteArray row_;
};
