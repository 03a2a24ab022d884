#pragma once

#include "printing/print_dialog.h"
#include "ui/form13_controls.h"

// The picture-print dialog: paper size, orientation and picture size, stored at each click.
class Form13 : public PrintDialog, public Form13Controls
{
    Q_OBJECT
  public:
    Form13(ProgramState &state, Platform &platform, MainWindowLink &main);

    void Form_Activate() override; // the dialog becomes the active window
    void Option1_Click(int index); // 「紙の大きさ」: kA4 「Ａ４」, kB5 「Ｂ５」
    void Option2_Click(int index); // 「紙の向き」: kLandscape 「横長」, kPortrait 「たて長」
    void Option3_Click(int index); // 「絵の大きさ」: kNormalSize 「普通」, kLargeSize 「大きい」
    void Command1_Click(int index); // kOkButton 「ＯＫ」, kCancelButton 「やめる」
};
