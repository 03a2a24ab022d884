#include "printing/pdf_tools.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace pdf_tools {

QString missingTool()
{
    for (const QString &tool :
         {QStringLiteral("pdfinfo"), QStringLiteral("pdfimages"), QStringLiteral("pdftoppm")}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool;
    }
    return QString();
}

std::optional<QString> run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::optional<QSizeF> pageSizePoints(const QString &pdf)
{
    const auto info = run(QStringLiteral("pdfinfo"), {pdf});
    if (!info)
        return std::nullopt;
    static const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    const auto match = size.match(*info);
    if (!match.hasMatch())
        return std::nullopt;
    return QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
}

int pageCount(const QString &pdf)
{
    const auto info = run(QStringLiteral("pdfinfo"), {pdf});
    if (!info)
        return -1;
    static const QRegularExpression pages(QStringLiteral(R"(Pages:\s+(\d+))"));
    const auto match = pages.match(*info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

std::vector<ImageEntry> images(const QString &pdf)
{
    std::vector<ImageEntry> entries;
    const auto list = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (!list)
        return entries;
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    const QStringList lines = list->split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines.mid(2)) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        if (f.size() < 14 || f[2] != QLatin1String("image"))
            continue;
        entries.push_back({f[3].toInt(), f[4].toInt(), f[8], f[12].toDouble(), f[13].toDouble()});
    }
    return entries;
}

QImage firstImage(const QString &pdf, const QString &scratchFolder)
{
    const QString root = QDir(scratchFolder).filePath(QStringLiteral("extracted"));
    if (!run(QStringLiteral("pdfimages"),
             {QStringLiteral("-png"), QStringLiteral("-f"), QStringLiteral("1"),
              QStringLiteral("-l"), QStringLiteral("1"), pdf, root}))
        return QImage();
    return QImage(root + QStringLiteral("-000.png"));
}

QImage render(const QString &pdf, int dpi, const QString &scratchFolder, std::optional<QRect> crop)
{
    const QString root = QDir(scratchFolder).filePath(QStringLiteral("rendered"));
    QStringList args{QStringLiteral("-r"),          QString::number(dpi),  QStringLiteral("-png"),
                     QStringLiteral("-singlefile"), QStringLiteral("-aa"), QStringLiteral("no"),
                     QStringLiteral("-aaVector"),   QStringLiteral("no")};
    if (crop) {
        args << QStringLiteral("-x") << QString::number(crop->x()) << QStringLiteral("-y")
             << QString::number(crop->y()) << QStringLiteral("-W") << QString::number(crop->width())
             << QStringLiteral("-H") << QString::number(crop->height());
    }
    args << pdf << root;
    if (!run(QStringLiteral("pdftoppm"), args))
        return QImage();
    return QImage(root + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace pdf_tools
