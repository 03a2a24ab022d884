#pragma once

#include <QImage>
#include <QSize>

struct SwsContext;
struct AVFrame;

// The program's one smooth stretch of a picture: areas averaged when reducing, bilinear when
// enlarging (FFmpeg's area scaler in its bit-exact mode), made a band of rows at a time. Any
// band equals the same rows of the whole result exactly, so a result made in bands of any
// height, in any order, is the result made at once. Rows are red, green, blue bytes, the
// layout of QImage::Format_RGB888 and of a 24-bit PNG.
class RowScaler
{
  public:
    // The picture is held as 24-bit pixels (transparent parts on white), converted in place
    // when it is not shared. Throws
    // std::bad_alloc when there is no memory for it or for the scaler.
    RowScaler(QImage picture, QSize size);
    ~RowScaler();
    RowScaler(RowScaler &&) noexcept;
    RowScaler &operator=(RowScaler &&) noexcept;

    QSize size() const { return size_; }
    // Rows y .. y + count - 1 of the result, size().width() pixels each, into out, `stride`
    // bytes from row to row. Throws std::bad_alloc when the scaler fails.
    void rows(int y, int count, uchar *out, qsizetype stride);

  private:
    QImage picture_;
    QSize size_;
    SwsContext *scaler_ = nullptr;
    AVFrame *source_ = nullptr;
};

// A picture stretched smoothly to the size as RowScaler does, opaque 32-bit; null when there
// is no memory for it.
QImage smoothlyStretched(const QImage &picture, QSize size);
