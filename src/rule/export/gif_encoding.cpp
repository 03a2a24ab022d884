#include "export/gif_encoding.h"

#include "platform/smooth_scaling.h"
#include "platform/surface.h"

#include <QIODevice>

#include <gif_lib.h>
#include <libimagequant.h>

#include <cstdint>
#include <dlfcn.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace animation
{

namespace
{

constexpr QRgb kColourBits = 0x00FFFFFFu;
constexpr int kGifMaxSide = 65535;

struct LiqDeleter {
    void operator()(liq_attr *p) const { liq_attr_destroy(p); }
    void operator()(liq_histogram *p) const { liq_histogram_destroy(p); }
    void operator()(liq_image *p) const { liq_image_destroy(p); }
    void operator()(liq_result *p) const { liq_result_destroy(p); }
};
template <typename T> using LiqPtr = std::unique_ptr<T, LiqDeleter>;

QImage frameOfSize(const FrameSource &frameAt, int index, QSize size)
{
    QImage frame = asSurfaceImage(frameAt(index));
    if (frame.isNull() || (size.isValid() && frame.size() != size))
        throw std::runtime_error("the frames differ in size");
    return frame;
}

// libimagequant reads the frame row by row in its own byte order, so no RGBA copy of a
// whole frame is ever made.
// libimagequant shares its work out among OpenMP threads, and OpenMP ends the whole program
// when it cannot start one. Where no thread can start, it is asked to use none.
void keepQuantizingOnThisThreadWhereNoThreadCanStart()
{
    if (helperThreadsCanStart())
        return;
    using SetThreads = void (*)(int);
    if (const auto set = reinterpret_cast<SetThreads>(dlsym(RTLD_DEFAULT, "omp_set_num_threads")))
        set(1);
}

void readRow(liq_color rowOut[], int row, int width, void *userInfo)
{
    const auto *frame = static_cast<const QImage *>(userInfo);
    const auto *in = reinterpret_cast<const QRgb *>(frame->constScanLine(row));
    for (int x = 0; x < width; ++x)
        rowOut[x] = liq_color{static_cast<unsigned char>(qRed(in[x])),
                              static_cast<unsigned char>(qGreen(in[x])),
                              static_cast<unsigned char>(qBlue(in[x])), 255};
}

LiqPtr<liq_image> liqImage(const liq_attr *attr, const QImage &frame)
{
    LiqPtr<liq_image> image(liq_image_create_custom(attr, readRow, const_cast<QImage *>(&frame),
                                                    frame.width(), frame.height(), 0));
    if (!image)
        throw std::runtime_error("cannot prepare a frame for the palette");
    return image;
}

int paletteIndexOf(const liq_palette &palette, liq_color colour)
{
    for (unsigned i = 0; i < palette.count; ++i) {
        const liq_color &c = palette.entries[i];
        if (c.r == colour.r && c.g == colour.g && c.b == colour.b)
            return int(i);
    }
    throw std::runtime_error("the palette lost black or white");
}

int writeToDevice(GifFileType *gif, const GifByteType *bytes, int length)
{
    auto *out = static_cast<QIODevice *>(gif->UserData);
    return int(out->write(reinterpret_cast<const char *>(bytes), length));
}

class GifWriter
{
  public:
    explicit GifWriter(QIODevice &out)
    {
        int error = 0;
        gif_ = EGifOpen(&out, writeToDevice, &error);
        if (!gif_)
            fail(error);
        EGifSetGifVersion(gif_, true);
    }
    ~GifWriter()
    {
        if (gif_)
            EGifCloseFile(gif_, nullptr);
    }
    GifWriter(const GifWriter &) = delete;
    GifWriter &operator=(const GifWriter &) = delete;

    void screen(QSize size, const liq_palette &palette)
    {
        std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
        for (unsigned i = 0; i < palette.count; ++i)
            colours[i] =
                GifColorType{palette.entries[i].r, palette.entries[i].g, palette.entries[i].b};
        ColorMapObject *map = GifMakeMapObject(256, colours.data());
        if (!map)
            throw std::runtime_error("not enough memory");
        const int result = EGifPutScreenDesc(gif_, size.width(), size.height(), 8, 0, map);
        GifFreeMapObject(map);
        check(result);
        // NETSCAPE2.0: repeat for ever (loop count 0).
        check(EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE));
        check(EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0"));
        const unsigned char loop[3] = {1, 0, 0};
        check(EGifPutExtensionBlock(gif_, 3, loop));
        check(EGifPutExtensionTrailer(gif_));
    }

    void frame(const std::vector<GifPixelType> &indices, QSize size, int delayCs)
    {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = delayCs;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        check(EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), extension));
        check(EGifPutImageDesc(gif_, 0, 0, size.width(), size.height(), false, nullptr));
        for (int y = 0; y < size.height(); ++y)
            check(EGifPutLine(
                gif_, const_cast<GifPixelType *>(indices.data()) + size_t(y) * size_t(size.width()),
                size.width()));
    }

    void close()
    {
        int error = 0;
        GifFileType *gif = gif_;
        gif_ = nullptr;
        if (EGifCloseFile(gif, &error) != GIF_OK)
            fail(error);
    }

  private:
    void check(int result)
    {
        if (result != GIF_OK)
            fail(gif_->Error);
    }
    [[noreturn]] static void fail(int error)
    {
        const char *text = GifErrorString(error);
        throw std::runtime_error(text ? text : "GIF encoding failed");
    }

    GifFileType *gif_ = nullptr;
};

} // namespace

void writeGif(int count, const FrameSource &frameAt, int delayMs, QIODevice &out)
{
    keepQuantizingOnThisThreadWhereNoThreadCanStart();
    // One palette for the whole animation, so a pixel that stays keeps its colour from
    // frame to frame. Black and white are fixed colours: the lattice's black and the
    // white of an empty canvas must come out exact.
    LiqPtr<liq_attr> attr(liq_attr_create());
    if (!attr)
        throw std::runtime_error("not enough memory");
    liq_set_max_colors(attr.get(), 256);
    LiqPtr<liq_histogram> histogram(liq_histogram_create(attr.get()));
    if (!histogram)
        throw std::runtime_error("not enough memory");
    liq_histogram_add_fixed_color(histogram.get(), liq_color{0, 0, 0, 255}, 0);
    liq_histogram_add_fixed_color(histogram.get(), liq_color{255, 255, 255, 255}, 0);
    QSize size;
    for (int i = 0; i < count; ++i) {
        const QImage frame = frameOfSize(frameAt, i, size);
        if (i == 0) {
            size = frame.size();
            if (size.width() > kGifMaxSide || size.height() > kGifMaxSide)
                throw std::runtime_error("the picture is too large for GIF");
        }
        LiqPtr<liq_image> image = liqImage(attr.get(), frame);
        if (liq_histogram_add_image(histogram.get(), attr.get(), image.get()) != LIQ_OK)
            throw std::runtime_error("cannot choose the palette");
    }
    liq_result *quantized = nullptr;
    if (liq_histogram_quantize(histogram.get(), attr.get(), &quantized) != LIQ_OK)
        throw std::runtime_error("cannot choose the palette");
    LiqPtr<liq_result> result(quantized);
    liq_set_dithering_level(result.get(), 1.0f);
    const liq_palette &palette = *liq_get_palette(result.get());
    const auto black = GifPixelType(paletteIndexOf(palette, liq_color{0, 0, 0, 255}));
    const auto white = GifPixelType(paletteIndexOf(palette, liq_color{255, 255, 255, 255}));

    GifWriter gif(out);
    gif.screen(size, palette);
    const int delayCs = (delayMs + 5) / 10;
    std::vector<GifPixelType> indices(size_t(size.width()) * size_t(size.height()));
    std::vector<unsigned char *> rows(size_t(size.height()));
    for (int y = 0; y < size.height(); ++y)
        rows[size_t(y)] = indices.data() + size_t(y) * size_t(size.width());
    // Each frame is dithered on its own, so the same colour in the same place could take
    // another palette entry from frame to frame and the picture would shimmer. A pixel
    // keeps the entry it first had for as long as its colour stays.
    // The colour and entry are kept together, colour << 8 | entry, in one 32-bit word a
    // pixel; 0 is nothing kept, as black is never kept.
    std::vector<quint32> kept(indices.size(), 0);
    for (int i = 0; i < count; ++i) {
        const QImage frame = frameOfSize(frameAt, i, size);
        LiqPtr<liq_image> image = liqImage(attr.get(), frame);
        if (liq_write_remapped_image_rows(result.get(), image.get(), rows.data()) != LIQ_OK)
            throw std::runtime_error("cannot map a frame to the palette");
        for (int y = 0; y < size.height(); ++y) {
            const auto *in = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            unsigned char *row = rows[size_t(y)];
            const size_t first = size_t(y) * size_t(size.width());
            for (int x = 0; x < size.width(); ++x) {
                const QRgb colour = in[x] & kColourBits;
                // Dithering may carry a neighbour's error onto a black or white pixel;
                // those two stay exact whatever the dithering chose.
                if (colour == 0) {
                    row[x] = black;
                    continue;
                }
                if (colour == kColourBits) {
                    row[x] = white;
                    continue;
                }
                quint32 &keptHere = kept[first + size_t(x)];
                if (keptHere >> 8 == colour)
                    row[x] = GifPixelType(keptHere & 0xFF);
                else
                    keptHere = colour << 8 | row[x];
            }
        }
        gif.frame(indices, size, delayCs);
    }
    gif.close();
}

} // namespace animation
