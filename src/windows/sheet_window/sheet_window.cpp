#include "sheet_window/sheet_window.h"

#include "platform/command_error.h"
#include "frames/frames_rule.h"
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
    : ProgramWindow(kTitle, 9000, 5400, parent), platform_(platform), frames_(std::move(frames)),
      canvasAspect_(canvasAspect)
{
    setupControls(this);
    for (int i = 0; i < 3; ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    for (int i = 0; i < 2; ++i)
        connect(Option2[i], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
    connect(Text1, &QDoubleSpinBox::valueChanged, this, &SheetWindow::Text1_Change);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &SheetWindow::Combo1_Click);
    connect(Check1, &QCheckBox::clicked, this, &SheetWindow::Check1_Click);
    connect(Text2, &QDoubleSpinBox::valueChanged, this, &SheetWindow::Text2_Change);
    for (int i = 0; i < 6; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    UpdateFigures();
}

void SheetWindow::setFrames(std::vector<sheet::FramePicture> frames, QSize canvasAspect)
{
    frames_ = std::move(frames);
    canvasAspect_ = canvasAspect;
    UpdateFigures();
}

sheet::SheetChoices SheetWindow::choices() const
{
    sheet::SheetChoices c;
    c.paper = Option1[1]->isChecked()   ? sheet::Paper::JisB5
              : Option1[2]->isChecked() ? sheet::Paper::Letter
                                        : sheet::Paper::A4;
    c.landscape = Option2[1]->isChecked();
    c.slitMm = Text1->value();
    c.dpi = Combo1->currentData().toInt();
    if (!Check1->isChecked())
        c.widthMm = Text2->value();
    return c;
}

void SheetWindow::Option1_Click(int)
{
    UpdateFigures();
}

void SheetWindow::Option2_Click(int)
{
    UpdateFigures();
}

void SheetWindow::Text1_Change()
{
    UpdateFigures();
}

void SheetWindow::Combo1_Click()
{
    UpdateFigures();
}

void SheetWindow::Check1_Click()
{
    Text2->setEnabled(!Check1->isChecked());
    UpdateFigures();
}

void SheetWindow::Text2_Change()
{
    UpdateFigures();
}

void SheetWindow::Command1_Click(int index)
{
    switch (index) {
    case 0:
        SaveSheet();
        break;
    case 1:
        PrintSheet();
        break;
    case 2:
        SaveLattice();
        break;
    case 3:
        SaveCalibration();
        break;
    case 4:
        PrintCalibration();
        break;
    case 5:
        hide();
        break;
    default:
        break;
    }
}

void SheetWindow::UpdateFigures()
{
    const sheet::SheetChoices c = choices();
    const int dots = sheet::slitDots(c.slitMm, c.dpi);
    Label1[0]->setText(QStringLiteral("→ 実際 %1 mm（%2 ドット）")
                           .arg(sheet::mmText(sheet::dotsToMm(dots, c.dpi)))
                           .arg(dots));
    const int count = int(frames_.size());
    Label1[1]->setText(QStringLiteral("周期 %1 mm（指定 %2 mm、%3 コマ）")
                           .arg(sheet::mmText(sheet::dotsToMm(frames::CycleLength(dots, count), c.dpi)),
                                sheet::mmText(count * c.slitMm))
                           .arg(count));
    try {
        const sheet::SheetGeometry g = sheet::layOutSheet(c, count, canvasAspect_);
        if (Check1->isChecked()) {
            // The box follows the largest width while it is not the user's to set.
            const QSignalBlocker quiet(Text2);
            Text2->setValue(sheet::largestWidthMm(c, count, canvasAspect_));
        }
        Label2->setText(
            QStringLiteral("%1 × %2 mm")
                .arg(QString::number(g.widthMm(), 'f', 1), QString::number(g.heightMm(), 'f', 1)));
        Label3->clear();
    } catch (const sheet::SheetRefused &refused) {
        Label2->clear();
        Label3->setText(refused.message());
    }
}

std::optional<sheet::SheetGeometry> SheetWindow::LayOutOrTell()
{
    try {
        return sheet::layOutSheet(choices(), int(frames_.size()), canvasAspect_);
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
        return std::nullopt;
    }
}

std::optional<QString> SheetWindow::AskSavePath(const QString &filter, const QString &suffix)
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

void SheetWindow::SaveSheet()
{
    const auto g = LayOutOrTell();
    if (!g)
        return;
    const auto path = AskSavePath(kPdfFilter, QStringLiteral(".pdf"));
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

void SheetWindow::PrintSheet()
{
    if (!LayOutOrTell())
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

void SheetWindow::SaveLattice()
{
    const auto g = LayOutOrTell();
    if (!g)
        return;
    const auto path = AskSavePath(kSvgFilter, QStringLiteral(".svg"));
    if (!path)
        return;
    try {
        sheet::writeLatticeSvg(*path, *g, Text3->value());
    } catch (const sheet::SheetRefused &refused) {
        platform_.messages.showWarning(kTitle, refused.message());
    } catch (const FileNotWritten &e) {
        reportFileNotWritten(platform_.messages, *path, QString::fromStdString(e.reason()));
    }
}

void SheetWindow::SaveCalibration()
{
    const auto path = AskSavePath(kPdfFilter, QStringLiteral(".pdf"));
    if (!path)
        return;
    try {
        sheet::writeCalibrationPdf(*path, choices());
    } catch (const FileNotWritten &e) {
        reportFileNotWritten(platform_.messages, *path, QString::fromStdString(e.reason()));
    }
}

void SheetWindow::PrintCalibration()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Lintaro 調整用シート"));
    sheet::setUpPrinter(printer, choices());
    if (!platform_.printer.choosePrinterFor(printer))
        return;
    try {
        sheet::printCalibration(printer, choices());
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
