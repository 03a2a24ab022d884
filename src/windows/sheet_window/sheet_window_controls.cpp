#include "sheet_window/sheet_window_controls.h"

#include "ui/controls.h"
#include "ui/palette.h"
#include "ui/program_window.h"

#include <QBoxLayout>
#include <QGridLayout>

// The window is laid out by Qt layouts. At 96 dpi and the program's 9-point face the
// minimum sizes, margins and gaps below put every control where the window first had it;
// a larger font or screen scale makes the controls and the window grow to fit.
namespace
{

// Captions and figures stand this much lower than the boxes beside them, level with the
// boxes' text.
constexpr int kCaptionDrop = 4;
// A caption row: the height of a box less the drop.
constexpr int kCaptionHeight = 21;
constexpr int kBoxWidth = 84;
// The gap between a box and the figure beside it. The resolution and width boxes come
// out one pixel wider than kBoxWidth for their widest values, so the figures stand where
// they did beside 84-pixel boxes with an 8-pixel gap.
constexpr int kFigureGap = 7;
constexpr int kBoxHeight = 25;
constexpr int kOptionWidth = 97;
constexpr int kOptionHeight = 20;
constexpr int kButtonHeight = 33;

QDoubleSpinBox *millimetreBox(double min, double max, double value)
{
    auto *box = new QDoubleSpinBox;
    box->setRange(min, max);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" mm"));
    return atLeast(box, kBoxWidth, kBoxHeight);
}

QLabel *label(const QString &caption = QString())
{
    return plainLabel(nullptr, caption, QRect());
}

// Options one under the other in a frame of the left column.
QVBoxLayout *optionColumn(QGroupBox *frame)
{
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(21, 5, 13, 2);
    column->setSpacing(4);
    return column;
}

// A grid whose rows of boxes come in pairs of grid rows: the drop above the captions, then
// the captions; the boxes span both.
QGridLayout *boxGrid(QGroupBox *frame, int boxRows)
{
    auto *grid = new QGridLayout(frame);
    grid->setSpacing(0);
    for (int row = 0; row < boxRows; ++row) {
        grid->setRowMinimumHeight(3 * row, kCaptionDrop);
        grid->setRowMinimumHeight(3 * row + 1, kCaptionHeight);
    }
    return grid;
}

} // namespace

void SheetWindowControls::setupControls(ProgramWindow *window)
{
    QWidget *c = window->client();

    // The first three papers down the left as the window first had them, the larger ones
    // beside them and below, then a paper of one's own size.
    paperFrame = frame(c, QStringLiteral("紙の大きさ"), QRect());
    QVBoxLayout *paperColumn = optionColumn(paperFrame);
    auto *papers = new QGridLayout;
    papers->setSpacing(4);
    const QPoint cells[kPaperCount] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1},
                                       {1, 2}, {1, 3}, {0, 3}, {0, 4}};
    for (int i = 0; i < kPaperCount; ++i) {
        paperChoice[i] = atLeast(optionButton(paperFrame, sheet::paperName(kPapers[i]), QRect()),
                                 kOptionWidth, kOptionHeight);
        papers->addWidget(paperChoice[i], cells[i].y(), cells[i].x(), 1,
                          i == kPaperCount - 1 ? 2 : 1);
    }
    paperColumn->addLayout(papers);
    const sheet::SheetChoices defaults;
    customWidthMm =
        millimetreBox(sheet::kMinCustomMm, sheet::kMaxCustomMm, defaults.customMm.width());
    customHeightMm =
        millimetreBox(sheet::kMinCustomMm, sheet::kMaxCustomMm, defaults.customMm.height());
    for (QDoubleSpinBox *box : {customWidthMm, customHeightMm}) {
        box->setDecimals(1);
        box->setSingleStep(1);
        box->setEnabled(false);
    }
    auto *customSize = new QHBoxLayout;
    customSize->setSpacing(4);
    customSize->addWidget(customWidthMm);
    customSize->addWidget(label(QStringLiteral("×")));
    customSize->addWidget(customHeightMm);
    customSize->addStretch();
    paperColumn->addLayout(customSize);

    orientationFrame = frame(c, QStringLiteral("紙の向き"), QRect());
    QVBoxLayout *orientations = optionColumn(orientationFrame);
    uprightChoice = atLeast(optionButton(orientationFrame, QStringLiteral("たて長"), QRect()),
                            kOptionWidth, kOptionHeight);
    landscapeChoice = atLeast(optionButton(orientationFrame, QStringLiteral("横長"), QRect()),
                              kOptionWidth, kOptionHeight);
    orientations->addWidget(uprightChoice);
    orientations->addWidget(landscapeChoice);

    // Caption, box, a gap, the figure the box comes to in printer dots.
    slitFrame = frame(c, QStringLiteral("スリットと解像度"), QRect());
    QGridLayout *slit = boxGrid(slitFrame, 2);
    slit->setContentsMargins(13, 5, 1, 9);
    slit->setColumnMinimumWidth(0, 96);
    slit->setColumnMinimumWidth(2, kFigureGap);
    slit->setRowMinimumHeight(2, 11);
    slitMm = millimetreBox(sheet::kMinSlitMm, sheet::kMaxSlitMm, sheet::kDefaultSlitMm);
    dpiChoice = atLeast(new QComboBox, kBoxWidth, kBoxHeight);
    for (int dpi : sheet::kDpiChoices)
        dpiChoice->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    dpiChoice->setCurrentIndex(dpiChoice->findData(sheet::kDefaultDpi));
    realSlitLabel = atLeast(label(), 208, 0);
    realPeriodLabel = label();
    slit->addWidget(label(QStringLiteral("スリットの幅")), 1, 0);
    slit->addWidget(slitMm, 0, 1, 2, 1);
    slit->addWidget(realSlitLabel, 1, 3);
    slit->addWidget(label(QStringLiteral("プリンタの解像度")), 4, 0);
    slit->addWidget(dpiChoice, 3, 1, 2, 1);
    slit->addWidget(realPeriodLabel, 4, 3);

    widthFrame = frame(c, QStringLiteral("絵の幅"), QRect());
    QGridLayout *width = boxGrid(widthFrame, 1);
    width->setContentsMargins(13, 5, 5, 21);
    width->setColumnMinimumWidth(1, 4);
    width->setColumnMinimumWidth(3, kFigureGap);
    largestWidthCheck = atLeast(new QCheckBox(QStringLiteral("紙に入る最大")), 120, kOptionHeight);
    largestWidthCheck->setChecked(true);
    widthMm = millimetreBox(sheet::kMinWidthMm, sheet::kMaxCustomMm, 100);
    widthMm->setDecimals(1);
    widthMm->setEnabled(false);
    pictureSizeLabel = atLeast(label(), 176, 0);
    width->addWidget(largestWidthCheck, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    width->addWidget(widthMm, 0, 2, 2, 1);
    width->addWidget(pictureSizeLabel, 1, 4);

    kerfFrame = frame(c, QStringLiteral("SVG の切り幅"), QRect());
    auto *kerf = new QVBoxLayout(kerfFrame);
    kerf->setContentsMargins(21, 3, 26, 7);
    kerfMm = millimetreBox(0, 2.9, 0);
    kerf->addWidget(kerfMm);

    // The message takes the room the frames leave it, so the window keeps its size
    // whatever the message says.
    refusalLabel = label();
    refusalLabel->setWordWrap(true);
    refusalLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    refusalLabel->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));

    auto *frames = new QGridLayout;
    frames->setHorizontalSpacing(15);
    frames->setVerticalSpacing(7);
    frames->setColumnMinimumWidth(0, 137);
    frames->setColumnMinimumWidth(1, 416);
    frames->setRowMinimumHeight(0, 97);
    frames->setRowMinimumHeight(1, 73);
    frames->setRowMinimumHeight(2, 57);
    frames->addWidget(paperFrame, 0, 0);
    frames->addWidget(orientationFrame, 1, 0);
    frames->addWidget(kerfFrame, 2, 0);
    frames->addWidget(slitFrame, 0, 1);
    frames->addWidget(widthFrame, 1, 1);
    frames->addWidget(refusalLabel, 2, 1);

    const auto button = [c](const QString &caption, Colour colour, int width) {
        return atLeast(colouredButton(c, caption, colour, QRect()), width, kButtonHeight);
    };
    const Colour save = kPaleMagenta, print = kPaleBlue;
    saveSheetButton = button(QStringLiteral("PDFで保存"), save, 120);
    printSheetButton = button(QStringLiteral("印刷"), print, 120);
    saveLatticeButton = button(QStringLiteral("格子をSVGで保存"), save, 144);
    saveCalibrationButton = button(QStringLiteral("調整用シートの保存"), kPaleGreen, 160);
    printCalibrationButton = button(QStringLiteral("調整用シートの印刷"), kPaleGreen, 160);
    closeButton = button(QStringLiteral("とじる"), kPaleOrange, 96);
    auto *sheetButtons = new QHBoxLayout;
    sheetButtons->setSpacing(8);
    sheetButtons->addWidget(saveSheetButton);
    sheetButtons->addWidget(printSheetButton);
    sheetButtons->addWidget(saveLatticeButton);
    sheetButtons->addStretch();
    auto *calibrationButtons = new QHBoxLayout;
    calibrationButtons->setSpacing(8);
    calibrationButtons->addWidget(saveCalibrationButton);
    calibrationButtons->addWidget(printCalibrationButton);
    calibrationButtons->addStretch();
    calibrationButtons->addWidget(closeButton);

    auto *client = new QVBoxLayout;
    client->setContentsMargins(16, 16, 16, 15);
    client->setSpacing(0);
    client->addLayout(frames);
    client->addSpacing(15);
    pagePreview = new SheetPreviewView;
    client->addWidget(pagePreview, 1);
    client->addSpacing(15);
    client->addLayout(sheetButtons);
    client->addSpacing(7);
    client->addLayout(calibrationButtons);
    window->setClientLayout(client);

    paperChoice[0]->setChecked(true);
    uprightChoice->setChecked(true);
    chainTabOrder({paperChoice[0],
                   paperChoice[1],
                   paperChoice[2],
                   paperChoice[3],
                   paperChoice[4],
                   paperChoice[5],
                   paperChoice[6],
                   paperChoice[7],
                   paperChoice[8],
                   customWidthMm,
                   customHeightMm,
                   uprightChoice,
                   landscapeChoice,
                   slitMm,
                   dpiChoice,
                   largestWidthCheck,
                   widthMm,
                   kerfMm,
                   saveSheetButton,
                   printSheetButton,
                   saveLatticeButton,
                   saveCalibrationButton,
                   printCalibrationButton,
                   closeButton});
    saveSheetButton->setFocus();
}
