#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>

// Writes a picture of at most 256 colours as a GIF file, which Qt reads but cannot write.
// The LZW stream holds only literal codes, with a clear code often enough that the code
// width stays at 9 bits: large, but every decoder reads it.
inline bool writeGif(const QImage &picture, const QString &path)
{
    QList<QRgb> palette;
    QByteArray indices;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = picture.pixel(x, y) | 0xFF000000u;
            qsizetype i = palette.indexOf(colour);
            if (i < 0) {
                if (palette.size() == 256)
                    return false;
                palette.append(colour);
                i = palette.size() - 1;
            }
            indices.append(char(i));
        }
    palette.resize(256, 0xFF000000u);

    QByteArray codes;
    quint32 bits = 0;
    int count = 0;
    auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    constexpr int kClear = 256, kEnd = 257;
    for (qsizetype i = 0; i < indices.size(); ++i) {
        if (i % 250 == 0)
            put(kClear);
        put(quint8(indices[i]));
    }
    put(kEnd);
    if (count > 0)
        codes.append(char(bits & 0xFF));

    QByteArray gif("GIF89a");
    auto le16 = [&](int v) {
        gif.append(char(v & 0xFF));
        gif.append(char((v >> 8) & 0xFF));
    };
    le16(picture.width());
    le16(picture.height());
    gif.append(char(0xF7)); // global colour table of 256 entries
    gif.append(char(0));
    gif.append(char(0));
    for (QRgb c : palette) {
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    gif.append(char(0x2C));
    le16(0);
    le16(0);
    le16(picture.width());
    le16(picture.height());
    gif.append(char(0));
    gif.append(char(8)); // LZW minimum code size
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append(char(0));
    gif.append(char(0x3B));

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size();
}
