#include "platform/bmp_bands.h"

#include "platform/smooth_scaling.h"

#include <QFile>
#include <QtEndian>

#include <cstdlib>
#include <new>
#include <vector>

std::optional<QImage> decodeBmpReduced(const QString &path, QSize size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // BITMAPFILEHEADER, then BITMAPINFOHEADER or a later one and any colour masks.
    const QByteArray header = file.read(66);
    if (header.size() < 54 || !header.startsWith("BM"))
        return std::nullopt;
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(header.constData() + at); };
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(header.constData() + at); };
    const qint64 offset = u32(10);
    const quint32 infoSize = u32(14);
    const qint64 width = qint32(u32(18));
    const qint64 signedHeight = qint32(u32(22));
    const int bits = u16(28);
    const quint32 compression = u32(30);
    // BI_RGB, or BI_BITFIELDS with the masks BI_RGB implies.
    const bool plainMasks =
        header.size() >= 66 && u32(54) == 0xFF0000u && u32(58) == 0xFF00u && u32(62) == 0xFFu;
    if (infoSize < 40 || u16(26) != 1 || (bits != 24 && bits != 32) ||
        !(compression == 0 || (compression == 3 && bits == 32 && plainMasks)))
        return std::nullopt;
    const qint64 height = std::abs(signedHeight);
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    if (width <= 0 || height == 0 || offset < 54 || offset + rowBytes * height > file.size())
        return std::nullopt;
    const QSize stored{int(width), int(height)};
    AreaReducer reducer(stored, size);
    if (!reducer.ok())
        throw std::bad_alloc();
    const int step = bits / 8;
    QByteArray bytes(rowBytes, Qt::Uninitialized);
    std::vector<QRgb> row(static_cast<size_t>(width));
    for (qint64 y = 0; y < height; ++y) {
        // A positive height stores the bottom row first.
        const qint64 storedRow = signedHeight > 0 ? height - 1 - y : y;
        if (!file.seek(offset + storedRow * rowBytes) ||
            file.read(bytes.data(), rowBytes) != rowBytes)
            return std::nullopt;
        const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
        for (qint64 x = 0; x < width; ++x, p += step)
            row[size_t(x)] = qRgb(p[2], p[1], p[0]);
        reducer.addRow(row.data());
    }
    return reducer.onWhite();
}
