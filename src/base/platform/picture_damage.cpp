#include "platform/picture_damage.h"

#include <QFile>
#include <QIODevice>
#include <QtEndian>

#include <cstdlib>
#include <mutex>

namespace
{

thread_local QStringList *collecting = nullptr;
QtMessageHandler passOn = nullptr;

void collectOrPassOn(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (collecting && (type == QtWarningMsg || type == QtCriticalMsg)) {
        collecting->append(text);
        return;
    }
    if (passOn)
        passOn(type, context, text);
}

} // namespace

DecoderWarnings::DecoderWarnings() : outer_(collecting)
{
    static std::once_flag installed;
    std::call_once(installed, [] { passOn = qInstallMessageHandler(collectOrPassOn); });
    collecting = &warnings_;
}

DecoderWarnings::~DecoderWarnings()
{
    collecting = outer_;
}

QString bitmapShortfall(QIODevice &file)
{
    // BITMAPFILEHEADER (14 bytes) and the start of BITMAPINFOHEADER (40 bytes).
    const QByteArray header = file.peek(54);
    if (header.size() < 54 || !header.startsWith("BM"))
        return QString();
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(header.constData() + at); };
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(header.constData() + at); };
    const quint32 infoSize = u32(14);
    const quint32 compression = u32(30);
    if (infoSize < 40 || (compression != 0 && compression != 3)) // BI_RGB, BI_BITFIELDS
        return QString();
    const qint64 offset = u32(10);
    const qint64 width = qint32(u32(18));
    const qint64 height = std::abs(qint64(qint32(u32(22))));
    const qint64 bits = u16(28);
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    const qint64 needed = offset + rowBytes * height;
    if (width <= 0 || needed <= file.size())
        return QString();
    return QStringLiteral("the file ends at byte %1, before its pixels do (%2 bytes)")
        .arg(file.size())
        .arg(needed);
}

namespace
{

// Reads GIF sub-blocks (a length byte, then that many bytes) up to the empty one that ends
// them; false when the file ends first.
bool skipSubBlocks(QIODevice &file)
{
    char length = 0;
    while (file.getChar(&length)) {
        if (length == 0)
            return true;
        if (file.skip(quint8(length)) != quint8(length))
            return false;
    }
    return false;
}

} // namespace

QString gifShortfall(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray header = file.read(13);
    if (header.size() < 13 || !header.startsWith("GIF"))
        return QString();
    const auto colourTable = [](char flags) {
        return (flags & 0x80) ? 3 * (2 << (flags & 0x07)) : 0;
    };
    const QString cutOff = QStringLiteral("the file ends before its last picture does");
    if (file.skip(colourTable(header[10])) != colourTable(header[10]))
        return cutOff;
    char kind = 0;
    while (file.getChar(&kind)) {
        if (kind == 0x3B) // the trailer: everything before it was whole
            return QString();
        if (kind == 0x21) { // an extension: its label, then sub-blocks
            if (!file.skip(1) || !skipSubBlocks(file))
                return cutOff;
        } else if (kind == 0x2C) { // a picture: descriptor, colours, code size, sub-blocks
            const QByteArray descriptor = file.read(9);
            if (descriptor.size() < 9)
                return cutOff;
            const int colours = colourTable(descriptor[8]);
            if (file.skip(colours + 1) != colours + 1 || !skipSubBlocks(file))
                return cutOff;
        } else {
            return QStringLiteral("the file holds a block of an unknown kind");
        }
    }
    return cutOff;
}
