#pragma once

#include <QByteArray>
#include <QFile>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cctype>
#include <stack>
#include <vector>

// Reads what a PDF page draws straight from its content stream, in points from the top-left
// corner of the page: filled rectangles, stroked line segments and placed pictures, and the
// points of filled and stroked paths (their lines' and curves' ends, not the curves' control
// points). Exact to the digits the file holds, which a rendering is not.
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
    std::vector<QRectF> strokedRects;
    std::vector<std::vector<QPointF>> filledPaths;
    std::vector<std::vector<QPointF>> strokedPaths;
};

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
    std::vector<QPointF> ends; // every end point of the path in hand
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
            if (!ends.empty())
                page.filledPaths.push_back(ends);
            pendingRects.clear();
            pendingSegments.clear();
            ends.clear();
            path.clear();
        } else if (token == "m" && args.size() >= 2) {
            path = {toPage({args[args.size() - 2], args.back()})};
            ends.push_back(path.back());
        } else if (token == "l" && args.size() >= 2 && !path.empty()) {
            const QPointF to = toPage({args[args.size() - 2], args.back()});
            pendingSegments.push_back({path.back(), to});
            path.push_back(to);
            ends.push_back(to);
        } else if (token == "c" && args.size() >= 6 && !path.empty()) {
            path.push_back(toPage({args[args.size() - 2], args.back()}));
            ends.push_back(path.back());
        } else if (token == "S") {
            page.strokes.insert(page.strokes.end(), pendingSegments.begin(), pendingSegments.end());
            page.strokedRects.insert(page.strokedRects.end(), pendingRects.begin(),
                                     pendingRects.end());
            if (!ends.empty())
                page.strokedPaths.push_back(ends);
            pendingSegments.clear();
            pendingRects.clear();
            ends.clear();
            path.clear();
        } else if (token == "n") {
            pendingRects.clear();
            pendingSegments.clear();
            ends.clear();
            path.clear();
        } else if (token == "Do") {
            page.pictures.push_back(QRectF(toPage({0, 0}), toPage({1, 1})).normalized());
        }
        if (!token.isEmpty() && (std::isalpha(uchar(token[0])) || token == "'" || token == "\""))
            args.clear();
    }
    return page;
}

// Every page of a PDF, in order, read through qpdf: its content streams decoded, and the top
// of its page box, about which Qt flips the y axis of everything it draws.
std::vector<Page> readPages(const QString &path);

} // namespace pdf_content
