#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

class ProgramWindow;

// The controls of the line-width dialog, "設定", as the window is created.
struct Form2Controls {
    QPushButton *Command2 = nullptr; // "初めの設定に戻す"
    QPushButton *Command1[2] = {};   // "OK", "キャンセル"
    static constexpr int kOkButton = 0, kCancelButton = 1; // Command1
    QGroupBox *Frame1 = nullptr;     // "線の幅"
    QScrollBar *HScroll1 = nullptr;  // the pending width, 1 to 5
    QLabel *Label1 = nullptr;        // the pending width as red bold digits

    void setupControls(ProgramWindow *window);
};
