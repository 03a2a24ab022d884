#include "sheet_window/sheet_window_controls.h"

#include "sheet/sheet_choices.h"
#include "ui/controls.h"
#include "ui/palette.h"
#include "ui/program_window.h"

namespace
{

QDoubleSpinBox *millimetreBox(QWidget *parent, double min, double max, double value,
                              const QRect &geometry)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(min, max);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" mm"));
    box->setFont(gothicFont(9));
    box->setGeometry(geometry);
    return box;
}

QLabel *figureLabel(QWidget *parent, const QRect &geometry)
{
    QLabel *label = plainLabel(parent, QString(), geometry);
    label->setFont(gothicFont(9));
    return label;
}

} // namespace

void SheetWindowControls::setupControls(ProgramWindow *window)
{
    QWidget *c = window->client();

    Frame1 = frame(c, QStringLiteral("紙の大きさ"), twipsRect(240, 240, 2055, 1455));
    Option1[0] = optionButton(Frame1, QStringLiteral("Ａ４"), twipsRect(360, 360, 1455, 300));
    Option1[1] = optionButton(Frame1, QStringLiteral("Ｂ５"), twipsRect(360, 720, 1455, 300));
    Option1[2] = optionButton(Frame1, QStringLiteral("レター"), twipsRect(360, 1080, 1455, 300));
    Frame2 = frame(c, QStringLiteral("紙の向き"), twipsRect(240, 1800, 2055, 1095));
    Option2[0] = optionButton(Frame2, QStringLiteral("たて長"), twipsRect(360, 360, 1455, 300));
    Option2[1] = optionButton(Frame2, QStringLiteral("横長"), twipsRect(360, 720, 1455, 300));

    Frame3 = frame(c, QStringLiteral("スリットと解像度"), twipsRect(2520, 240, 6240, 1455));
    plainLabel(Frame3, QStringLiteral("スリットの幅"), twipsRect(240, 420, 1260, 300));
    Text1 = millimetreBox(Frame3, sheet::kMinSlitMm, sheet::kMaxSlitMm, sheet::kDefaultSlitMm,
                          twipsRect(1680, 360, 1260, 375));
    Label1[0] = figureLabel(Frame3, twipsRect(3060, 420, 3120, 300));
    plainLabel(Frame3, QStringLiteral("プリンタの解像度"), twipsRect(240, 960, 1440, 300));
    Combo1 = new QComboBox(Frame3);
    for (int dpi : sheet::kDpiChoices)
        Combo1->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    Combo1->setCurrentIndex(Combo1->findData(sheet::kDefaultDpi));
    Combo1->setGeometry(twipsRect(1680, 900, 1260, 375));
    Label1[1] = figureLabel(Frame3, twipsRect(3060, 960, 3120, 300));

    Frame4 = frame(c, QStringLiteral("絵の幅"), twipsRect(2520, 1800, 6240, 1095));
    Check1 = new QCheckBox(QStringLiteral("紙に入る最大"), Frame4);
    Check1->setGeometry(twipsRect(240, 420, 1800, 300));
    Check1->setChecked(true);
    Text2 = millimetreBox(Frame4, sheet::kMinWidthMm, 400, 100, twipsRect(2100, 360, 1260, 375));
    Text2->setDecimals(1);
    Text2->setEnabled(false);
    Label2 = figureLabel(Frame4, twipsRect(3480, 420, 2640, 300));

    Frame5 = frame(c, QStringLiteral("SVG の切り幅"), twipsRect(240, 3000, 2055, 855));
    Text3 = millimetreBox(Frame5, 0, 2.9, 0, twipsRect(360, 330, 1260, 375));
    Label3 = figureLabel(c, twipsRect(2520, 3000, 6240, 855));
    Label3->setWordWrap(true);
    Label3->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));

    const Colour save = kPaleMagenta, print = kPaleBlue;
    Command1[0] =
        colouredButton(c, QStringLiteral("PDFで保存"), save, twipsRect(240, 4080, 1800, 495));
    Command1[1] =
        colouredButton(c, QStringLiteral("印刷"), print, twipsRect(2160, 4080, 1800, 495));
    Command1[2] = colouredButton(c, QStringLiteral("格子をSVGで保存"), save,
                                 twipsRect(4080, 4080, 2160, 495));
    Command1[3] = colouredButton(c, QStringLiteral("調整用シートの保存"), kPaleGreen,
                                 twipsRect(240, 4680, 2400, 495));
    Command1[4] = colouredButton(c, QStringLiteral("調整用シートの印刷"), kPaleGreen,
                                 twipsRect(2760, 4680, 2400, 495));
    Command1[5] =
        colouredButton(c, QStringLiteral("とじる"), kPaleOrange, twipsRect(7320, 4680, 1440, 495));

    Option1[0]->setChecked(true);
    Option2[0]->setChecked(true);
    chainTabOrder({Option1[0], Option1[1], Option1[2], Option2[0], Option2[1], Text1, Combo1,
                   Check1, Text2, Text3, Command1[0], Command1[1], Command1[2], Command1[3],
                   Command1[4], Command1[5]});
    Command1[0]->setFocus();

    window->fixSize();
}
