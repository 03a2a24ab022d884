#pragma once

#include "printing/pdf_tools.h"
#include "sheet/sheet_picture.h"

#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QRectF>

#include <optional>
#include <vector>

// Frames to put on test sheets, and a second reader of the written PDF: qpdf, which reads
// the file's objects as any PDF reader resolves them, updates included.
namespace sheet_readers
{

// A coloured field with a dark block off centre, each frame its own colour and size, so a
// wrong frame, a shifted stripe or a resampled column shows.
inline std::vector<sheet::FramePicture> testFrames(int count)
{
    std::vector<sheet::FramePicture> frames;
    for (int i = 0; i < count; ++i) {
        QImage picture(200 + 37 * i, 150 + 11 * i, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 45, 200, 240));
        QPainter(&picture).fillRect(20 + 9 * i, 30, 60, 40, QColor(30 * i, 20, 90));
        frames.push_back({picture, QSize()});
    }
    return frames;
}

// What qpdf makes of a PDF: the catalog's entries and each page's media box, in points.
struct PdfObjects {
    QJsonObject catalog;
    std::vector<QRectF> mediaBoxes; // x0, y0 to x1, y1 as PDF gives them
};

inline bool haveQpdf()
{
    return !QStandardPaths::findExecutable(QStringLiteral("qpdf")).isEmpty();
}

inline std::optional<PdfObjects> readObjects(const QString &pdf)
{
    const std::optional<QString> json = pdf_tools::run(
        QStringLiteral("qpdf"), {QStringLiteral("--json=2"), QStringLiteral("--json-key=qpdf"),
                                 QStringLiteral("--json-key=pages"), pdf});
    if (!json)
        return std::nullopt;
    const QJsonObject root = QJsonDocument::fromJson(json->toUtf8()).object();
    const QJsonObject objects = root[QStringLiteral("qpdf")].toArray()[1].toObject();
    const auto value = [&](const QString &reference) {
        return objects[QStringLiteral("obj:") + reference][QStringLiteral("value")].toObject();
    };
    PdfObjects read;
    const QString rootRef =
        objects[QStringLiteral("trailer")][QStringLiteral("value")][QStringLiteral("/Root")]
            .toString();
    read.catalog = value(rootRef);
    for (const QJsonValue page : root[QStringLiteral("pages")].toArray()) {
        const QJsonArray box =
            value(page[QStringLiteral("object")].toString())[QStringLiteral("/MediaBox")].toArray();
        read.mediaBoxes.push_back(QRectF(QPointF(box[0].toDouble(), box[1].toDouble()),
                                         QPointF(box[2].toDouble(), box[3].toDouble())));
    }
    return read;
}

} // namespace sheet_readers
