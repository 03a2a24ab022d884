#pragma once

#include <QByteArray>
#include <QFile>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cctype>
#include <stack>
#include <vector>

// Reads what a PDF page draws straight from its content stream, in points from the top-left
// corner of the page: filled rectangles, stroked line segments and placed pictures. Exact to
// the digits the file holds, which a rendering is not.
namespace pdf_content
{

struct Segment {
    QPointF from, to;
};
struct Page {
    double height = 0; // points
    std::vector<QRectF> filled;
    std::vector<Segment> strokes;
    std::vector<QRectF> pictures;
};

// A flate stream's bytes, inflated by zlib through qUncompress, which wants the expected size
// in four big-endian bytes ahead of the data (a guess: it grows the buffer as needed).
inline QByteArray inflate(const QByteArray &data)
{
    const quint32 guess = quint32(std::max<qsizetype>(data.size() * 16, 1 << 16));
    QByteArray framed(4, '\0');
    framed[0] = char(guess >> 24);
    framed[1] = char(guess >> 16);
    framed[2] = char(guess >> 8);
    framed[3] = char(guess);
    return qUncompress(framed + data);
}

inline QByteArray objectStream(const QByteArray &pdf, int object)
{
    const qsizetype at = pdf.indexOf("\n" + QByteArray::number(object) + " 0 obj");
    if (at < 0)
        return {};
    const qsizetype start = pdf.indexOf("stream\n", at) + 7;
    const qsizetype end = pdf.indexOf("endstream", start);
    const QByteArray head = pdf.mid(at, start - at);
    QByteArray data = pdf.mid(start, end - start);
    return head.contains("/FlateDecode") ? inflate(data) : data;
}

// Walks one content stream with the graphics state: q/Q, cm, re + f, m/l + S, Do.
inline Page parsePage(const QByteArray &content, double pageHeight)
{
    Page page;
    page.height = pageHeight;
    std::stack<QTransform> saved;
    QTransform ctm;
    std::vector<double> args;
    std::vector<QRectF> pendingRects;
    std::vector<QPointF> path;
    std::vector<Segment> pendingSegments;
    // Points become top-down page points.
    const auto toPage = [&](QPointF p) {
        const QPointF q = ctm.map(p);
        return QPointF(q.x(), pageHeight - q.y());
    };
    for (const QByteArray &token : content.simplified().split(' ')) {
        bool number = false;
        const double value = token.toDouble(&number);
        if (number) {
            args.push_back(value);
            continue;
        }
        if (token == "q") {
            saved.push(ctm);
        } else if (token == "Q") {
            if (!saved.empty()) {
                ctm = saved.top();
                saved.pop();
            }
        } else if (token == "cm" && args.size() >= 6) {
            const auto *a = &args[args.size() - 6];
            ctm = QTransform(a[0], a[1], a[2], a[3], a[4], a[5]) * ctm;
        } else if (token == "re" && args.size() >= 4) {
            const auto *a = &args[args.size() - 4];
            pendingRects.push_back(
                QRectF(toPage({a[0], a[1]}), toPage({a[0] + a[2], a[1] + a[3]})).normalized());
        } else if (token == "f" || token == "f*") {
            page.filled.insert(page.filled.end(), pendingRects.begin(), pendingRects.end());
            pendingRects.clear();
            path.clear();
        } else if (token == "m" && args.size() >= 2) {
            path = {toPage({args[args.size() - 2], args.back()})};
        } else if (token == "l" && args.size() >= 2 && !path.empty()) {
            const QPointF to = toPage({args[args.size() - 2], args.back()});
            pendingSegments.push_back({path.back(), to});
            path.push_back(to);
        } else if (token == "S") {
            page.strokes.insert(page.strokes.end(), pendingSegments.begin(), pendingSegments.end());
            pendingSegments.clear();
            path.clear();
        } else if (token == "Do") {
            page.pictures.push_back(QRectF(toPage({0, 0}), toPage({1, 1})).normalized());
        }
        if (!token.isEmpty() && (std::isalpha(uchar(token[0])) || token == "'" || token == "\""))
            args.clear();
    }
    return page;
}

// Every page of a PDF written by Qt, in order: each /Type /Page names its /Contents object
// and the page's MediaBox height.
inline std::vector<Page> readPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = file.readAll();
    static const QRegularExpression pageObject(QStringLiteral(
        R"(/Type /Page\n[\s\S]*?/Contents (\d+) 0 R[\s\S]*?/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"));
    std::vector<Page> pages;
    auto it = pageObject.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        const auto match = it.next();
        pages.push_back(
            parsePage(objectStream(pdf, match.captured(1).toInt()), match.captured(3).toDouble()));
    }
    return pages;
}

} // namespace pdf_content
