#pragma once

#include <QImage>
#include <QString>

#include <gif_lib.h>
#include <webp/demux.h>

#include <QFile>

#include <cstring>
#include <vector>

// Reads animated pictures back with the format libraries' own decoders: every frame as a
// whole picture, how long it shows and how often the animation repeats (0: for ever).
namespace animated
{

struct Animation {
    std::vector<QImage> frames;
    std::vector<int> durationsMs;
    int loopCount = -1;
    bool valid = false;
};

inline Animation readWebP(const QString &path)
{
    Animation result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    WebPData data{reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA; // as Format_ARGB32 lays out its bytes here
    WebPAnimDecoder *decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder)
        return result;
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    result.loopCount = int(info.loop_count);
    int previous = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        uint8_t *pixels = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder, &pixels, &timestamp))
            break;
        QImage frame(int(info.canvas_width), int(info.canvas_height), QImage::Format_ARGB32);
        for (int y = 0; y < frame.height(); ++y)
            std::memcpy(frame.scanLine(y), pixels + size_t(y) * info.canvas_width * 4,
                        size_t(info.canvas_width) * 4);
        result.frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
        result.durationsMs.push_back(timestamp - previous);
        previous = timestamp;
    }
    WebPAnimDecoderDelete(decoder);
    result.valid = result.frames.size() == info.frame_count;
    return result;
}

// Every frame of the GIFs written here covers the whole screen, so each decodes alone.
inline Animation readGif(const QString &path)
{
    Animation result;
    int error = 0;
    GifFileType *gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif)
        return result;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return result;
    }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage &image = gif->SavedImages[i];
        const ColorMapObject *map =
            image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        QImage frame(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const GifColorType c =
                    map->Colors[image.RasterBits[size_t(y) * size_t(gif->SWidth) + size_t(x)]];
                frame.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
            }
        result.frames.push_back(frame);
        GraphicsControlBlock control;
        result.durationsMs.push_back(
            DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime * 10 : -1);
        for (int b = 0; b + 1 < image.ExtensionBlockCount; ++b) {
            const ExtensionBlock &block = image.ExtensionBlocks[b];
            const ExtensionBlock &next = image.ExtensionBlocks[b + 1];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount == 3 &&
                next.Bytes[0] == 1)
                result.loopCount = next.Bytes[1] | (next.Bytes[2] << 8);
        }
    }
    result.valid = gif->SWidth > 0 && gif->ImageCount > 0;
    DGifCloseFile(gif, &error);
    return result;
}

} // namespace animated
