#include "sources/video_source.h"

#include <QImage>
#include <QTransform>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace sources
{

namespace
{

struct FormatCloser {
    void operator()(AVFormatContext *f) const { avformat_close_input(&f); }
};
struct CodecCloser {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
struct ScaleFreer {
    void operator()(SwsContext *s) const { sws_freeContext(s); }
};

bool absurdSize(int width, int height)
{
    return width <= 0 || height <= 0 || width > 32768 || height > 32768 ||
           qint64(width) * height > kLargestVideoPixels;
}

// The clockwise turn, 0, 90, 180 or 270 degrees, that shows a phone's video upright.
int uprightTurn(const AVStream *stream)
{
    const auto *matrix = reinterpret_cast<const int32_t *>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix)
        return 0;
    const double ccw = av_display_rotation_get(matrix);
    if (std::isnan(ccw))
        return 0;
    int turn = int(std::lround(-ccw / 90.0)) * 90 % 360;
    return turn < 0 ? turn + 360 : turn;
}

class VideoSource : public FrameSource
{
  public:
    VideoSource(const QString &path, const TimeRange &range) : path_(path)
    {
        AVFormatContext *raw = nullptr;
        if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0)
            fail(QStringLiteral("not a picture, video or folder"));
        format_.reset(raw);
        // The container's claims are checked before the decoder sees a frame.
        checkClaims();
        if (avformat_find_stream_info(format_.get(), nullptr) < 0)
            fail(QStringLiteral("not a picture, video or folder"));
        const AVCodec *codec = nullptr;
        streamIndex_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
        if (streamIndex_ < 0 || !codec)
            fail(streamIndex_ == AVERROR_DECODER_NOT_FOUND
                     ? QStringLiteral("no decoder for this video")
                     : QStringLiteral("not a picture, video or folder"));
        stream_ = format_->streams[streamIndex_];
        const AVCodecParameters *par = stream_->codecpar;
        if (absurdSize(par->width, par->height))
            fail(QStringLiteral("video frame too large"));
        openDecoder(codec);
        natural_ = QSize(par->width, par->height);
        const AVRational sar = par->sample_aspect_ratio;
        if (sar.num > 0 && sar.den > 0 && sar.num != sar.den)
            natural_.setWidth(
                std::max(1, int(std::lround(double(par->width) * sar.num / sar.den))));
        turn_ = uprightTurn(stream_);
        if (turn_ == 90 || turn_ == 270)
            natural_.transpose();
        countFrames(range);
    }

    SourceKind kind() const override { return SourceKind::Video; }
    int frameCount() const override { return int(times_.size()); }
    QSize naturalSize(int) const override { return natural_; }

    DecodedPicture frame(int index, QSize bound, const std::atomic<bool> *cancel) override
    {
        const int64_t target = times_.at(size_t(index));
        if (started_ && shown_->data[0] && position_ == target)
            return {convert(*shown_, bound), natural_};
        if (needsSeek(target))
            seekTo(target);
        // Frames before the target are decoded (the codec needs them) but not converted.
        for (;;) {
            if (cancel && cancel->load())
                throw Cancelled();
            AVFrame *decoded = nextFrame();
            if (!decoded)
                break;
            av_frame_unref(shown_.get());
            av_frame_move_ref(shown_.get(), decoded);
            position_ = shown_->best_effort_timestamp;
            if (position_ != AV_NOPTS_VALUE && position_ >= target)
                break;
        }
        if (!shown_->data[0])
            fail(QStringLiteral("cannot decode video"));
        return {convert(*shown_, bound), natural_};
    }

  private:
    [[noreturn]] void fail(const QString &reason) const { throw SourceError(path_, reason); }

    void checkClaims()
    {
        for (unsigned i = 0; i < format_->nb_streams; ++i) {
            const AVStream *s = format_->streams[i];
            if (s->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
                continue;
            if ((s->codecpar->width || s->codecpar->height) &&
                absurdSize(s->codecpar->width, s->codecpar->height))
                fail(QStringLiteral("video frame too large"));
            if (s->nb_frames > kMostSourceFrames)
                fail(QStringLiteral("too many frames"));
        }
    }

    void openDecoder(const AVCodec *codec)
    {
        decoder_.reset(avcodec_alloc_context3(codec));
        if (!decoder_ || avcodec_parameters_to_context(decoder_.get(), stream_->codecpar) < 0)
            fail(QStringLiteral("cannot decode video"));
        // A frame larger than the header said is refused by the decoder itself, and a few
        // threads keep the frames it holds few.
        decoder_->max_pixels = kLargestVideoPixels;
        decoder_->thread_count = int(std::clamp(std::thread::hardware_concurrency(), 1u, 2u));
        if (avcodec_open2(decoder_.get(), codec, nullptr) < 0)
            fail(QStringLiteral("cannot decode video"));
        packet_.reset(av_packet_alloc());
        frame_.reset(av_frame_alloc());
        shown_.reset(av_frame_alloc());
        if (!packet_ || !frame_ || !shown_)
            throw std::bad_alloc();
    }

    int64_t toStreamTime(double seconds) const
    {
        const int64_t start = stream_->start_time == AV_NOPTS_VALUE ? 0 : stream_->start_time;
        return start + int64_t(std::floor(seconds / av_q2d(stream_->time_base)));
    }

    static int64_t packetTime(const AVPacket &p) { return p.pts != AV_NOPTS_VALUE ? p.pts : p.dts; }

    // The shown times of the frames in the range, from the packets alone: one packet is
    // one frame, and packets come in decoding order, so the times are sorted afterwards.
    void countFrames(const TimeRange &range)
    {
        const int64_t from = range.from ? toStreamTime(*range.from) : INT64_MIN;
        const int64_t to = range.to ? toStreamTime(*range.to) : INT64_MAX;
        // Frames are never reordered across more than a few seconds.
        const int64_t past = range.to ? toStreamTime(*range.to + 5) : INT64_MAX;
        if (range.from && *range.from > 0)
            av_seek_frame(format_.get(), streamIndex_, from, AVSEEK_FLAG_BACKWARD);
        int64_t last = AV_NOPTS_VALUE;
        while (av_read_frame(format_.get(), packet_.get()) >= 0) {
            const AVPacket &p = *packet_;
            if (p.stream_index == streamIndex_ && p.size > 0) {
                int64_t t = packetTime(p);
                if (t == AV_NOPTS_VALUE)
                    t = last == AV_NOPTS_VALUE ? 0 : last + 1;
                last = t;
                if (p.flags & AV_PKT_FLAG_KEY)
                    keys_.push_back(t);
                if (t >= from && t < to)
                    times_.push_back(t);
                if (times_.size() > size_t(kMostSourceFrames)) {
                    av_packet_unref(packet_.get());
                    fail(QStringLiteral("too many frames"));
                }
                if (t >= past) {
                    av_packet_unref(packet_.get());
                    break;
                }
            }
            av_packet_unref(packet_.get());
        }
        std::sort(times_.begin(), times_.end());
        std::sort(keys_.begin(), keys_.end());
        seekTo(times_.empty() ? 0 : times_.front());
    }

    // A seek pays off when going back, or when a key frame lies between where the decoder
    // is and the target: decoding restarts there instead of running through.
    bool needsSeek(int64_t target) const
    {
        if (!started_ || position_ == AV_NOPTS_VALUE || target < position_)
            return true;
        const auto key = std::upper_bound(keys_.begin(), keys_.end(), position_);
        return key != keys_.end() && *key <= target;
    }

    void seekTo(int64_t target)
    {
        av_seek_frame(format_.get(), streamIndex_, target, AVSEEK_FLAG_BACKWARD);
        avcodec_flush_buffers(decoder_.get());
        av_frame_unref(shown_.get());
        draining_ = false;
        ended_ = false;
        started_ = true;
        position_ = AV_NOPTS_VALUE;
    }

    // The next frame the decoder gives, or null at the end of the video.
    AVFrame *nextFrame()
    {
        for (;;) {
            const int got = avcodec_receive_frame(decoder_.get(), frame_.get());
            if (got == 0)
                return frame_.get();
            if (got == AVERROR_EOF || ended_)
                return nullptr;
            if (got != AVERROR(EAGAIN))
                fail(QStringLiteral("cannot decode video"));
            if (draining_) {
                ended_ = true;
                continue;
            }
            const int read = av_read_frame(format_.get(), packet_.get());
            if (read < 0) {
                avcodec_send_packet(decoder_.get(), nullptr);
                draining_ = true;
                continue;
            }
            if (packet_->stream_index == streamIndex_) {
                // A damaged packet is skipped as players skip it.
                avcodec_send_packet(decoder_.get(), packet_.get());
            }
            av_packet_unref(packet_.get());
        }
    }

    QImage convert(const AVFrame &frame, QSize bound)
    {
        if (absurdSize(frame.width, frame.height))
            fail(QStringLiteral("video frame too large"));
        // Scaled while converting: the picture is made no larger than the drawing needs.
        QSize size = decodedSizeFor(natural_, bound);
        if (turn_ == 90 || turn_ == 270)
            size.transpose();
        scaler_.reset(sws_getCachedContext(scaler_.release(), frame.width, frame.height,
                                           AVPixelFormat(frame.format), size.width(), size.height(),
                                           AV_PIX_FMT_RGB32, SWS_AREA, nullptr, nullptr, nullptr));
        QImage picture(size, QImage::Format_RGB32);
        if (!scaler_ || picture.isNull())
            throw std::bad_alloc();
        uint8_t *planes[4] = {picture.bits(), nullptr, nullptr, nullptr};
        int strides[4] = {int(picture.bytesPerLine()), 0, 0, 0};
        sws_scale(scaler_.get(), frame.data, frame.linesize, 0, frame.height, planes, strides);
        if (turn_ != 0)
            picture = picture.transformed(QTransform().rotate(turn_));
        return picture;
    }

    QString path_;
    std::unique_ptr<AVFormatContext, FormatCloser> format_;
    std::unique_ptr<AVCodecContext, CodecCloser> decoder_;
    std::unique_ptr<AVPacket, PacketFreer> packet_;
    std::unique_ptr<AVFrame, FrameFreer> frame_;
    std::unique_ptr<AVFrame, FrameFreer> shown_;
    std::unique_ptr<SwsContext, ScaleFreer> scaler_;
    AVStream *stream_ = nullptr;
    int streamIndex_ = -1;
    QSize natural_;
    int turn_ = 0;
    std::vector<int64_t> times_;
    std::vector<int64_t> keys_;
    int64_t position_ = AV_NOPTS_VALUE;
    bool started_ = false;
    bool draining_ = false;
    bool ended_ = false;
};

} // namespace

std::unique_ptr<FrameSource> openVideo(const QString &path, const TimeRange &range)
{
    return std::make_unique<VideoSource>(path, range);
}

} // namespace sources
