#pragma once

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <optional>
#include <vector>

// Reading printed PDF files back with poppler-utils (pdfinfo, pdfimages, pdftoppm), and
// measuring the rendered pages.
namespace pdf_tools
{

constexpr double kPointsPerMm = 72.0 / 25.4;

// The first of the tools that is not installed, or an empty string when all are.
inline QString missingTool()
{
    for (const char *tool : {"pdfinfo", "pdfimages", "pdftoppm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QString::fromLatin1(tool);
    return QString();
}

// Runs a tool with a bounded wait; its standard output, or nothing when it failed.
inline std::optional<QString> run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    // A tool still running after 15 s is killed as the process object goes.
    if (!process.waitForFinished(15000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The number of pages and the size of the first one, in points.
struct Info {
    int pages = -1;
    QSizeF points;
};
inline Info info(const QString &pdf)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(Pages:\s+(\d+)[\s\S]*Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    const auto match = pattern.match(run(QStringLiteral("pdfinfo"), {pdf}).value_or(QString()));
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toInt(),
            {match.captured(2).toDouble(), match.captured(3).toDouble()}};
}

// One picture of "pdfimages -list": its pixels, encoding ("image" is lossless) and size on
// paper.
struct Picture {
    int width = 0, height = 0;
    QString encoding;
    double widthMm = 0, heightMm = 0;
};
inline std::vector<Picture> pictures(const QString &pdf)
{
    std::vector<Picture> found;
    const QString list =
        run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).value_or(QString());
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    for (const QString &line : list.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2)) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        if (f.size() >= 14 && f[2] == QLatin1String("image"))
            found.push_back({f[3].toInt(), f[4].toInt(), f[8],
                             f[3].toInt() / f[12].toDouble() * 25.4,
                             f[4].toInt() / f[13].toDouble() * 25.4});
    }
    return found;
}

// The first embedded picture, decoded as it is stored.
inline QImage firstPicture(const QString &pdf, const QString &scratch)
{
    const QString root = QDir(scratch).filePath(QStringLiteral("extracted"));
    run(QStringLiteral("pdfimages"),
        {QStringLiteral("-png"), QStringLiteral("-l"), QStringLiteral("1"), pdf, root});
    return QImage(root + QStringLiteral("-000.png")).convertToFormat(QImage::Format_RGB32);
}

// The first page rendered without smoothing at `dpi`, cropped to a rectangle of the rendering
// when one is given.
inline QImage render(const QString &pdf, int dpi, const QString &scratch, const QRect &crop = {})
{
    const QString root = QDir(scratch).filePath(QStringLiteral("rendered"));
    QStringList args =
        QStringLiteral("-png -singlefile -aa no -aaVector no -r %1").arg(dpi).split(' ');
    if (crop.isValid())
        args << QStringLiteral("-x %1 -y %2 -W %3 -H %4")
                    .arg(crop.x())
                    .arg(crop.y())
                    .arg(crop.width())
                    .arg(crop.height())
                    .split(' ');
    if (!run(QStringLiteral("pdftoppm"), args << pdf << root))
        return QImage();
    return QImage(root + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// Starts and lengths of the dark runs along row `at` (column `at` when `vertical`).
struct Run {
    int start, length;
};
inline std::vector<Run> darkRuns(const QImage &page, int at, bool vertical = false)
{
    std::vector<Run> runs;
    const int n = vertical ? page.height() : page.width();
    for (int i = 0, start = -1; i <= n; ++i) {
        const bool dark = i < n && qGray(vertical ? page.pixel(at, i) : page.pixel(i, at)) < 128;
        if (dark && start < 0)
            start = i;
        if (!dark && start >= 0) {
            runs.push_back({start, i - start});
            start = -1;
        }
    }
    return runs;
}

// Mean distance between the starts of successive runs.
inline double pitch(const std::vector<Run> &runs)
{
    return runs.size() < 2 ? 0 : double(runs.back().start - runs.front().start) / (runs.size() - 1);
}

} // namespace pdf_tools
