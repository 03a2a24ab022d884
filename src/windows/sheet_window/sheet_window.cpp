#include "sheet_window/sheet_window.h"

#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/platform.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_geometry.h"
#include "sheet/sheet_render.h"

#include <QGuiApplication>
#include <QPrinter>

namespace
{
const QString kTitle = QStringLiteral("印刷用シート");
const QString kPdfFilter = QStringLiteral("PDF (*.pdf)|*.pdf");
const QString kSvgFilter = QStringLiteral("SVG (*.svg)|*.svg");

// A sheet at 1200 dpi takes seconds to compose and write: the cursor says so meanwhile.
struct BusyCursor {
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};
} // namespace

SheetWindow::SheetWindow(Platform &platform, std::vector<sheet::FramePicture> frames,
                         QSize canvasAspect, QWidget *parent)
    : ProgramWindow(kTitle, parent), platform_(platform), frames_(std::move(frames)),
      canvasAspect_(canvasAspect)
{
    setupControls(this);
    for (QRadioButton *option : paperChoice)
        connect(option, &QRadioButton::clicked, this, &SheetWindow::paperClicked);
    for (QDoubleSpinBox *box : {customWidthMm, customHeightMm})
        connect(box, &QDoubleSpinBox::valueChanged, this, &SheetWindow::updateFigures);
    for (QRadioButton *option : {uprightChoice, landscapeChoice})
        connect(option, &QRadioButton::clicked, this, &SheetWindow::updateFigures);
    connect(slitMm, &QDoubleSpinBox::valueChanged, this, &SheetWindow::updateFigures);
    connect(dpiChoice, &QComboBox::currentIndexChanged, this, &SheetWindow::updateFigures);
    connect(largestWidthCheck, &QCheckBox::clicked, this, &SheetWindow::largestWidthClicked);
    connect(widthMm, &QDoubleSpinBox::valueChanged, this, &SheetWindow::updateFigures);
    connect(saveSheetButton, &QPushButton::clicked, this, &SheetWindow::saveSheet);
    connect(printSheetButton, &QPushButton::clicked, this, &SheetWindow::printSheet);
    connect(saveLatticeButton, &QPushButton::clicked, this, &SheetWindow::saveLattice);
    connect(saveCalibrationButton, &QPushButton::clicked, this, &SheetWindow::saveCalibration);
    connect(printCalibrationButton, &QPushButton::clicked, this, &SheetWindow::printCalibration);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    updateFigures();
}

void SheetWindow::setFrames(std::vector<sheet::FramePicture> frames, QSize canvasAspect)
{
    frames_ = std::move(frames);
    canvasAspect_ = canvasAspect;
    updateFigures();
}

sheet::SheetChoices SheetWindow::choices() const
{
    sheet::SheetChoices c;
    for (int i = 0; i < kPaperCount; ++i)
        if (paperChoice[i]->isChecked())
            c.paper = kPapers[i];
    c.customMm = QSizeF(customWidthMm->value(), customHeightMm->value());
    c.landscape = landscapeChoice->isChecked();
    c.slitMm = slitMm->value();
    c.dpi = dpiChoice->currentData().toInt();
    if (!largestWidthCheck->isChecked())
        c.widthMm = widthMm->value();
    return c;
}

void SheetWindow::paperClicked()
{
    const bool custom = choices().paper == sheet::Paper::Custom;
    customWidthMm->setEnabled(custom);
    customHeightMm->setEnabled(custom);
    updateFigures();
}

void SheetWindow::largestWidthClicked()
{
    widthMm->setEnabled(!largestWidthCheck->isChecked());
    updateFigures();
}

void SheetWindow::updateFigures()
{
    const sheet::SheetChoices c = choices();
    const int dots = sheet::slitDots(c.slitMm, c.dpi);
    realSlitLabel->setText(QStringLiteral("→ 実際 %1 mm（%2 ドット）")
                               .arg(sheet::mmText(sheet::dotsToMm(dots, c.dpi)))
                               .arg(dots));
    const int count = int(frames_.size());
    realPeriodLabel->setText(
        QStringLiteral("周期 %1 mm（指定 %2 mm、%3 コマ）")
            .arg(sheet::mmText(sheet::dotsToMm(frames::CycleLength(dots, count), c.dpi)),
                 sheet::mmText(count * c.slitMm))
            .arg(count));
    try {
        const sheet::SheetGeometry g = sheet::layOutSheet(c, count, canvasAspect_);
        if (largestWidthCheck->isChecked()) {
            // The box follows the largest width while it is not the user's to set.
            const QSignalBlocker quiet(widthMm);
            widthMm->setValue(sheet::largestWidthMm(c, count, canvasAspect_));
        }
        pictureSizeLabel->setText(
            QStringLiteral("%1 × %2 mm")
                .arg(QString::number(g.widthMm(), 'f', 1), QString::number(g.heightMm(), 'f', 1)));
        refusalLabel->clear();
    } catch (const sheet::SheetRefused &refused) {
        pictureSizeLabel->clear();
        refusalLabel->setText(refused.message());
    }
}

std::optional<sheet::SheetGeometry> SheetWindow::layOutOrTell()
{
    try {
        return sheet::layOutSheet(choices(), int(frames_.size()), canvasAspect_);
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
        return std::nullopt;
    }
}

std::optional<QString> SheetWindow::askSavePath(const QString &filter, const QString &suffix)
{
    try {
        FileDialogRequest request;
        request.filter = filter;
        QString path = platform_.dialogs.showSave(request);
        if (!path.endsWith(suffix, Qt::CaseInsensitive))
            path += suffix;
        return path;
    } catch (const DialogCancelled &) {
        return std::nullopt;
    }
}

void SheetWindow::saveSheet()
{
    const auto g = layOutOrTell();
    if (!g)
        return;
    const auto path = askSavePath(kPdfFilter, QStringLiteral(".pdf"));
    if (!path)
        return;
    try {
        // Gone before any message, which then shows the ordinary cursor.
        const BusyCursor busy;
        sheet::writeSheetPdf(*path, *g, sheet::composeSheetPicture(frames_, *g));
    } catch (const FileNotWritten &e) {
        reportFileNotWritten(platform_.messages, *path, QString::fromStdString(e.reason()));
    } catch (const std::bad_alloc &) {
        platform_.messages.showWarning(kTitle, QStringLiteral("メモリが足りません。絵の幅か解像度を"
                                                              "小さくしてください。"));
    }
}

void SheetWindow::printSheet()
{
    if (!layOutOrTell())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Lintaro 印刷用シート"));
    sheet::setUpPrinter(printer, choices());
    if (!platform_.printer.choosePrinterFor(printer))
        return;
    try {
        const BusyCursor busy;
        sheet::printSheet(printer, choices(), frames_, canvasAspect_);
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
    } catch (const CommandError &) {
        platform_.messages.showWarning(kTitle, QStringLiteral("印刷できませんでした。"));
    } catch (const std::bad_alloc &) {
        platform_.messages.showWarning(kTitle, QStringLiteral("メモリが足りません。絵の幅を"
                                                              "小さくしてください。"));
    }
}

void SheetWindow::saveLattice()
{
    const auto g = layOutOrTell();
    if (!g)
        return;
    const auto path = askSavePath(kSvgFilter, QStringLiteral(".svg"));
    if (!path)
        return;
    try {
        sheet::writeLatticeSvg(*path, *g, kerfMm->value());
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
    } catch (const FileNotWritten &e) {
        reportFileNotWritten(platform_.messages, *path, QString::fromStdString(e.reason()));
    }
}

bool SheetWindow::calibrationFitsOrTell()
{
    try {
        sheet::checkCalibration(choices());
        return true;
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
        return false;
    }
}

void SheetWindow::saveCalibration()
{
    if (!calibrationFitsOrTell())
        return;
    const auto path = askSavePath(kPdfFilter, QStringLiteral(".pdf"));
    if (!path)
        return;
    try {
        sheet::writeCalibrationPdf(*path, choices());
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
    } catch (const FileNotWritten &e) {
        reportFileNotWritten(platform_.messages, *path, QString::fromStdString(e.reason()));
    }
}

void SheetWindow::printCalibration()
{
    if (!calibrationFitsOrTell())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Lintaro 調整用シート"));
    sheet::setUpPrinter(printer, choices());
    if (!platform_.printer.choosePrinterFor(printer))
        return;
    try {
        sheet::printCalibration(printer, choices());
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
    } catch (const CommandError &) {
        platform_.messages.showWarning(kTitle, QStringLiteral("印刷できませんでした。"));
    }
}

void showSheetWindow(QPointer<SheetWindow> &window, Platform &platform,
                     std::vector<sheet::FramePicture> frames, QSize canvasAspect)
{
    if (!window) {
        window = new SheetWindow(platform, std::move(frames), canvasAspect);
        window->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        window->setFrames(std::move(frames), canvasAspect);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
