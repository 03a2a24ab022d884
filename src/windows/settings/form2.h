#pragma once

#include "ui/form2_controls.h"
#include "ui/program_window.h"

struct ProgramState;
struct Platform;
class MainWindowLink;

// The line-width dialog: the pending width lives in HScroll1 until "OK" applies it.
class Form2 : public ProgramWindow, public Form2Controls {
    Q_OBJECT
public:
    Form2(ProgramState &state, Platform &platform, MainWindowLink &main);

    void Form_Activate() override;  // the dialog becomes the active window
    void HScroll1_Change();         // the width's scroll bar moved
    void Command1_Click(int index); // kOkButton 「OK」, kCancelButton 「キャンセル」
    void Command2_Click();          // 「初めの設定に戻す」

private:
    ProgramState &state_;
    Platform &platform_;
    MainWindowLink &main_;
};
