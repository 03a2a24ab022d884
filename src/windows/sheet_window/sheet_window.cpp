#include "sheet_window/sheet_window.h"

#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/platform.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_geometry.h"
#include "sheet/sheet_preview.h"
#include "sheet/sheet_render.h"
#include "sources/frame_source.h"
#include "ui/background_work.h"

#include <QCloseEvent>
#include <QLayout>
#include <QPrinter>

namespace
{
const QString kTitle = QStringLiteral("印刷用シート");
const QString kPdfFilter = QStringLiteral("PDF (*.pdf)|*.pdf");
const QString kSvgFilter = QStringLiteral("SVG (*.svg)|*.svg");
const QString kNoMemory =
    QStringLiteral("メモリが足りません。絵の幅か解像度を小さくしてください。");
} // namespace

SheetWindow::SheetWindow(Platform &platform, std::vector<sheet::FramePicture> frames,
                         QSize canvasAspect, const sources::Preparation &preparation,
                         const sheet::ShapeChoices &shape, QWidget *parent)
    : ProgramWindow(kTitle, parent), platform_(platform), previewTimer_(platform.makeTimer())
{
    setupControls(this);
    // The preview takes whatever room the user gives the window beyond the size it asks.
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    setMinimumSize(sizeHint());
    previewTimer_->setOnTick([this] {
        previewTimer_->setInterval(0);
        drawPreview();
    });
    pagePreview->setOnResize([this] { schedulePreview(); });
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
    setFrames(std::move(frames), canvasAspect, preparation, shape);
}

SheetWindow::~SheetWindow() = default;

void SheetWindow::setFrames(std::vector<sheet::FramePicture> frames, QSize canvasAspect,
                            const sources::Preparation &preparation,
                            const sheet::ShapeChoices &shape)
{
    shape_ = shape;
    frames_ = std::move(frames);
    canvasAspect_ = canvasAspect;
    preparation_ = preparation;
    previewSources_ = sheet::previewSources(frames_);
    fittedSize_ = QSize();
    fitted_.clear();
    updateFigures();
}

bool SheetWindow::event(QEvent *event)
{
    const bool handled = ProgramWindow::event(event);
    // Every control keeps the size it asks (a larger font makes the window larger): the
    // window is never smaller than the size its layout asks.
    if (event->type() == QEvent::LayoutRequest)
        setMinimumSize(sizeHint());
    return handled;
}

void SheetWindow::closeEvent(QCloseEvent *event)
{
    // The sheet being made needs the window until it is done or cancelled.
    if (working_)
        event->ignore();
    else
        ProgramWindow::closeEvent(event);
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
    if (shape_.shape == sheet::SheetShape::Disc)
        realPeriodLabel->setText(QStringLiteral("円盤（周期 %1）").arg(shape_.periods));
    else if (shape_.shape == sheet::SheetShape::Lamp)
        realPeriodLabel->setText(
            QStringLiteral("ランプ（内径 %1 mm・外径 %2 mm）")
                .arg(QString::number(shape_.innerMm, 'f', 1),
                     QString::number(shape_.outerMm, 'f', 1)));
    try {
        if (shape_.shape != sheet::SheetShape::Straight) {
            showShapeFigures(sheet::layOutShapeSheet(c, shape_, count, canvasAspect_));
            refusalLabel->clear();
            schedulePreview();
            return;
        }
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
    schedulePreview();
}

void SheetWindow::showShapeFigures(const sheet::ShapeSheet &laidOut)
{
    if (const auto *disc = std::get_if<sheet::DiscSheetGeometry>(&laidOut)) {
        // A disc's slits are angles: the slit width asked for plays no part in it.
        realSlitLabel->setText(QStringLiteral("→ 円盤のスリット角 %1°")
                                   .arg(QString::number(disc->slitDegrees(), 'f', 2)));
        realPeriodLabel->setText(
            QStringLiteral("円盤（周期 %1、%2 コマ）").arg(disc->periods).arg(disc->frameCount));
        pictureSizeLabel->setText(
            QStringLiteral("直径 %1 mm").arg(QString::number(disc->diameterMm(), 'f', 1)));
        return;
    }
    const auto &lamp = std::get<sheet::LampSheetGeometry>(laidOut);
    realPeriodLabel->setText(QStringLiteral("実際の内径 %1 mm\n（指定 %2 mm）、周期 %3")
                                 .arg(QString::number(lamp.lamp.innerDiameterMm, 'f', 1),
                                      QString::number(lamp.askedInnerMm, 'f', 1))
                                 .arg(lamp.lamp.periods));
    pictureSizeLabel->setText(
        QStringLiteral("絵の帯 %1 × %2 mm\n格子の帯 %3 mm（外径 %4 mm）")
            .arg(QString::number(lamp.stripMm(), 'f', 1), QString::number(lamp.heightMm(), 'f', 1),
                 QString::number(lamp.lamp.latticeLengthMm, 'f', 1), sheet::mmText(lamp.outerMm)));
}

std::optional<sheet::ShapeSheet> SheetWindow::layOutOrTell()
{
    try {
        return sheet::layOutShapeSheet(choices(), shape_, int(frames_.size()), canvasAspect_);
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

bool SheetWindow::runSheetWork(const QString &label,
                               const std::function<void(const sheet::SheetProgress &)> &work)
{
    working_ = true;
    client()->setEnabled(false);
    const QPointer<SheetWindow> self(this);
    struct Done {
        QPointer<SheetWindow> window;
        ~Done()
        {
            if (window) {
                window->working_ = false;
                window->client()->setEnabled(true);
            }
        }
    } done{self};
    return runInBackground(
        this, label, sheet::sheetSteps(int(frames_.size())),
        [&work](const std::atomic<bool> &cancel, const std::function<void(int)> &progress) {
            work([&](int steps) {
                if (cancel)
                    throw sources::Cancelled();
                progress(steps);
            });
        });
}

void SheetWindow::saveSheet()
{
    const auto g = layOutOrTell();
    if (!g)
        return;
    const auto path = askSavePath(kPdfFilter, QStringLiteral(".pdf"));
    if (!path)
        return;
    // The work has its own copies: the window may be given other frames meanwhile.
    const std::vector<sheet::FramePicture> frames = frames_;
    const sources::Preparation preparation = preparation_;
    try {
        runSheetWork(QStringLiteral("シートを作っています…"),
                     [&](const sheet::SheetProgress &progress) {
                         const QImage composed =
                             sheet::composeShapeSheetPicture(frames, *g, preparation, progress);
                         sheet::writeShapeSheetPdf(*path, *g, composed, progress);
                     });
    } catch (const FileNotWritten &e) {
        reportFileNotWritten(platform_.messages, *path, QString::fromStdString(e.reason()));
    } catch (const std::bad_alloc &) {
        platform_.messages.showWarning(kTitle, kNoMemory);
    } catch (const std::exception &e) {
        reportFileNotWritten(platform_.messages, *path, QString::fromStdString(e.what()));
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
    const sheet::SheetChoices chosen = choices();
    const std::vector<sheet::FramePicture> frames = frames_;
    const QSize aspect = canvasAspect_;
    const sources::Preparation preparation = preparation_;
    const sheet::ShapeChoices shape = shape_;
    try {
        runSheetWork(QStringLiteral("印刷しています…"), [&](const sheet::SheetProgress &progress) {
            sheet::printShapeSheet(printer, chosen, shape, frames, aspect, preparation, progress);
        });
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
    } catch (const std::bad_alloc &) {
        platform_.messages.showWarning(kTitle, kNoMemory);
    } catch (const std::exception &) {
        platform_.messages.showWarning(kTitle, QStringLiteral("印刷できませんでした。"));
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
        sheet::writeShapeLatticeSvg(*path, *g, kerfMm->value());
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
                     std::vector<sheet::FramePicture> frames, QSize canvasAspect,
                     const sources::Preparation &preparation, const sheet::ShapeChoices &shape)
{
    if (!window) {
        window = new SheetWindow(platform, std::move(frames), canvasAspect, preparation, shape);
        window->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        window->setFrames(std::move(frames), canvasAspect, preparation, shape);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
