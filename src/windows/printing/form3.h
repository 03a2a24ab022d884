#pragma once

#include "printing/print_dialog.h"
#include "ui/form3_controls.h"

// The line-sheet print dialog: the orientation of the lattice sheet, stored at each click.
class Form3 : public PrintDialog, public Form3Controls
{
    Q_OBJECT
  public:
    Form3(ProgramState &state, Platform &platform, MainWindowLink &main);

    void Form_Activate() override; // the dialog becomes the active window
    void Option1_Click(int index); // 「紙の大きさ」: kA4 「Ａ４」, kB5 「Ｂ５」 (hidden)
    void Option2_Click(int index); // 「紙の向き」: kLandscape 「横長」, kPortrait 「たて長」
    void Command1_Click(int index); // kOkButton 「ＯＫ」, kCancelButton 「やめる」
};
