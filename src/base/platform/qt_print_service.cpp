#include "platform/qt_print_service.h"

#include "platform/command_error.h"
#include "platform/file_writing.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace
{

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPixel = 15; // a display pixel is 1/96 inch

std::optional<QPageSize::PageSizeId> pageSizeOf(int code)
{
    switch (code) {
    case 9:
        return QPageSize::A4;
    case 13:
        // The Japanese B5 of 182 x 257 mm; QPageSize::B5 is the ISO one of 176 x 250 mm.
        return QPageSize::JisB5;
    default:
        return std::nullopt;
    }
}

} // namespace

QtPrintService::QtPrintService() = default;
QtPrintService::~QtPrintService() = default;

bool QtPrintService::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

void QtPrintService::showPrinter()
{
    abortDoc();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The title print queues show for the job.
    printer->setDocName(QStringLiteral("Lintaro"));
    if (!choosePrinter(*printer))
        throw DialogCancelled();
    printer_ = std::move(printer);
}

QPrinter &QtPrintService::openPrinter() const
{
    if (!printer_)
        throw CommandError("no printer chosen");
    return *printer_;
}

void QtPrintService::setPaperSize(int code)
{
    const auto id = pageSizeOf(code);
    if (!id || !openPrinter().setPageSize(QPageSize(*id)))
        throw CommandError("paper size refused");
}

void QtPrintService::setOrientation(int code)
{
    if (code != 1 && code != 2)
        throw CommandError("orientation refused");
    const auto orientation = code == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (!openPrinter().setPageOrientation(orientation))
        throw CommandError("orientation refused");
}

double QtPrintService::pageHeightTwips()
{
    // The whole sheet as it lies under the current orientation, margins included.
    const QRectF sheet = openPrinter().pageLayout().fullRect(QPageLayout::Inch);
    return sheet.height() * kTwipsPerInch;
}

void QtPrintService::paintPicture(const QImage &picture, double xTwips, double yTwips,
                                  std::optional<double> widthTwips,
                                  std::optional<double> heightTwips)
{
    openPrinter();
    page_.push_back({picture, xTwips, yTwips, widthTwips, heightTwips});
}

void QtPrintService::endDoc()
{
    openPrinter();
    if (page_.empty()) {
        // Nothing was drawn: no page to send.
        abortDoc();
        return;
    }
    // The job ends here whatever happens: taken out before anything can fail.
    const std::vector<Drawing> page = std::move(page_);
    page_.clear();
    const std::unique_ptr<QPrinter> done = std::move(printer_);
    if (done->outputFormat() == QPrinter::PdfFormat && !done->outputFileName().isEmpty())
        printToPdfFile(*done, page);
    else if (!paintPage(*done, page))
        throw PrintNotCompleted("プリンターが印刷を受け付けませんでした");
    documentEnded(*done);
}

// A PDF file is made in memory and then written like a saved picture, so a disk that
// fills up or a folder that refuses the file leaves no truncated PDF behind and is
// reported instead of passing for a printed page.
void QtPrintService::printToPdfFile(QPrinter &printer, const std::vector<Drawing> &page)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        painted = paintPage(writer, page);
    }
    const QString path = printer.outputFileName();
    if (!painted)
        throw PrintNotCompleted(QDir::toNativeSeparators(path).toStdString());
    try {
        writeWholeFile(path, bytes);
    } catch (const FileNotWritten &e) {
        throw PrintNotCompleted(QDir::toNativeSeparators(path).toStdString() + "\n" + e.reason());
    }
}

bool QtPrintService::paintPage(QPaintDevice &device, const std::vector<Drawing> &page)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Without this the PDF engine stores pictures as JPEG, which blurs the stripes.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    // Twips become device units at the printer's own resolution, so a picture keeps the
    // physical size of the display whatever the printer's dots per inch.
    const double perTwipX = device.logicalDpiX() / kTwipsPerInch;
    const double perTwipY = device.logicalDpiY() / kTwipsPerInch;
    for (const Drawing &d : page) {
        const double w = d.widthTwips.value_or(d.picture.width() * kTwipsPerPixel);
        const double h = d.heightTwips.value_or(d.picture.height() * kTwipsPerPixel);
        painter.drawImage(
            QRectF(d.xTwips * perTwipX, d.yTwips * perTwipY, w * perTwipX, h * perTwipY), d.picture,
            QRectF(d.picture.rect()));
    }
    return painter.end();
}

void QtPrintService::abortDoc() noexcept
{
    page_.clear();
    printer_.reset();
}
