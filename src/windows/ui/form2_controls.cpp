#include "ui/form2_controls.h"

#include "ui/controls.h"
#include "ui/palette.h"
#include "ui/program_window.h"

void Form2Controls::setupControls(ProgramWindow *window)
{
    QWidget *c = window->client();

    Command2 = plainButton(c, QStringLiteral("初めの設定に戻す"), twipsRect(960, 2040, 2295, 375));
    Command1[1] = colouredButton(c, QStringLiteral("キャンセル"), kPaleMagenta,
                                 twipsRect(3840, 3120, 1215, 495));
    Command1[0] =
        colouredButton(c, QStringLiteral("OK"), kPaleCyan, twipsRect(3840, 2520, 1215, 495));
    Frame1 = frame(c, QStringLiteral("線の幅"), twipsRect(360, 240, 3495, 1455));

    HScroll1 = new QScrollBar(Qt::Horizontal, Frame1);
    HScroll1->setGeometry(twipsRect(360, 840, 2655, 375));
    HScroll1->setRange(1, 5);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setValue(1);

    Label1 = plainLabel(Frame1, QStringLiteral("0"), twipsRect(360, 360, 495, 375));
    Label1->setFont(gothicFont(9.75, true));
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Label1->setPalette(palette);

    stackFrontToBack({Command2, Command1[1], Command1[0], Frame1});
    chainTabOrder({HScroll1, Command1[0], Command1[1], Command2});
    // The first control in tab order that takes the focus has it when the window opens.
    HScroll1->setFocus();

    window->fixSize();
}
