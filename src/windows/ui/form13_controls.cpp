#include "ui/form13_controls.h"

#include "ui/controls.h"
#include "ui/palette.h"
#include "ui/program_window.h"

void Form13Controls::setupControls(ProgramWindow *window)
{
    QWidget *c = window->client();

    Frame3 = frame(c, QStringLiteral("絵の大きさ"), twipsRect(3120, 480, 2055, 1215));
    Option3[1] = optionButton(Frame3, QStringLiteral("大きい"), twipsRect(360, 720, 975, 255));
    Option3[0] = optionButton(Frame3, QStringLiteral("普通"), twipsRect(360, 360, 975, 255));
    Command1[1] =
        colouredButton(c, QStringLiteral("やめる"), kPaleMagenta, twipsRect(4200, 2760, 1095, 495));
    Command1[0] =
        colouredButton(c, QStringLiteral("ＯＫ"), kPaleCyan, twipsRect(4200, 2160, 1095, 495));
    Frame2 = frame(c, QStringLiteral("紙の向き"), twipsRect(480, 2040, 2295, 1215));
    Option2[1] = optionButton(Frame2, QStringLiteral("たて長"), twipsRect(480, 720, 1215, 375));
    Option2[0] = optionButton(Frame2, QStringLiteral("横長"), twipsRect(480, 360, 1215, 375));
    Frame1 = frame(c, QStringLiteral("紙の大きさ"), twipsRect(480, 480, 2295, 1215));
    Option1[1] = optionButton(Frame1, QStringLiteral("Ｂ５"), twipsRect(480, 720, 1455, 255));
    Option1[0] = optionButton(Frame1, QStringLiteral("Ａ４"), twipsRect(480, 360, 1455, 255));

    Option1[0]->setChecked(true);
    Option2[0]->setChecked(true);
    Option3[0]->setChecked(true);

    stackFrontToBack({Frame3, Command1[1], Command1[0], Frame2, Frame1});
    chainTabOrder({Option1[0], Option1[1], Option2[0], Option2[1], Command1[0], Command1[1],
                   Option3[0], Option3[1]});
    // The first control in tab order that takes the focus has it when the window opens.
    Option1[0]->setFocus();

    window->fixSize();
}
