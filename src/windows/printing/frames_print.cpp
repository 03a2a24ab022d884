#include "printing/frames_print.h"

#include "platform/command_error.h"
#include "platform/message_service.h"
#include "platform/print_service.h"

#include <cmath>

namespace frames_print
{

namespace
{

constexpr double kMarginMm = 10;
constexpr double kMmPerInch = 25.4;
constexpr double kPixelsPerInch = 96;
const QString kTitle = QStringLiteral("コマアニメーション");

// Whole pixels that fit inside a length in millimetres.
int pixelsWithin(double mm)
{
    return int(std::floor(mm / kMmPerInch * kPixelsPerInch));
}

QString paperName(Paper paper, Orientation orientation)
{
    return QStringLiteral("%1・%2").arg(
        paper == Paper::A4 ? QStringLiteral("Ａ４") : QStringLiteral("Ｂ５"),
        orientation == Orientation::Landscape ? QStringLiteral("横長") : QStringLiteral("たて長"));
}

} // namespace

QSize printableArea(Paper paper, Orientation orientation)
{
    // Portrait sizes in millimetres; B5 is the Japanese one, as the printer is asked for.
    const double shortMm = paper == Paper::A4 ? 210 : 182;
    const double longMm = paper == Paper::A4 ? 297 : 257;
    const int across = pixelsWithin(shortMm - 2 * kMarginMm);
    const int along = pixelsWithin(longMm - 2 * kMarginMm);
    return orientation == Orientation::Portrait ? QSize(across, along) : QSize(along, across);
}

QString tooLargeMessage(QSize picture, Paper paper, Orientation orientation)
{
    const QSize area = printableArea(paper, orientation);
    if (picture.width() <= area.width() && picture.height() <= area.height())
        return QString();
    return QStringLiteral("絵が紙に入りきらないので、印刷しません。\n"
                          "絵の大きさ：%1 × %2 ピクセル\n"
                          "%3 の紙に印刷できる大きさ：%4 × %5 ピクセルまで\n"
                          "紙の大きさや向きを変えるか、絵を小さくして合成しなおしてください。")
        .arg(picture.width())
        .arg(picture.height())
        .arg(paperName(paper, orientation))
        .arg(area.width())
        .arg(area.height());
}

bool PrintFramesPage(const QImage &picture, Paper paper, Orientation orientation,
                     PrintService &printer, MessageService &messages)
{
    const QString refusal = tooLargeMessage(picture.size(), paper, orientation);
    if (!refusal.isEmpty()) {
        messages.showWarning(kTitle, refusal);
        return false;
    }
    bool confirmed = false;
    const bool printed = runSilently([&] {
        printer.showPrinter();
        confirmed = true;
        try {
            printer.setPaperSize(paper == Paper::A4 ? kPaperA4 : kPaperB5);
            printer.setOrientation(orientation == Orientation::Landscape ? kLandscape : kPortrait);
            printer.paintPicture(picture, 0, 0);
            printer.endDoc();
        } catch (...) {
            printer.abortDoc();
            throw;
        }
    });
    // A cancel is the user's own choice; anything after the dialog is a print that did not
    // come out, which the user must hear of.
    if (!printed && confirmed)
        messages.showWarning(kTitle, QStringLiteral("印刷できませんでした。"));
    return printed;
}

} // namespace frames_print
