#include "settings/form2.h"
#include "ui/main_window_link.h"

#include "platform/numeric.h"
#include "state/module3.h"
#include "state/program_state.h"

Form2::Form2(ProgramState &state, Platform &platform, MainWindowLink &main)
    : ProgramWindow(QStringLiteral("設定"), 5460, 3855), state_(state), platform_(platform),
      main_(main)
{
    setupControls(this);
    // valueChanged fires only on a real change, so setting the value the scroll bar
    // already has raises no change event.
    connect(HScroll1, &QScrollBar::valueChanged, this, &Form2::HScroll1_Change);
    for (int i : {kOkButton, kCancelButton})
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
}

void Form2::Form_Activate()
{
    // Whatever was pending is dropped: the dialog always starts from the stored width.
    HScroll1->setValue(Int16(roundHalfEven(state_.vars.lineWidth)));
    Label1->setText(QString::number(HScroll1->value()));
}

void Form2::HScroll1_Change()
{
    Label1->setText(QString::number(HScroll1->value()));
}

void Form2::Command1_Click(int index)
{
    SharedState &vars = state_.vars;
    if (index == kOkButton) {
        vars.lineWidth = Int16(HScroll1->value());
        vars.latticeGap = vars.lineWidth;
        vars.latticeBar = vars.lineWidth;
        main_.showLineWidth(vars.lineWidth);
        // The sheets follow the new width at once; an earlier composition no longer
        // matches them and is discarded.
        Module3::DrawLatticeSheet(state_);
        Module3::ClearComposed(state_);
    }
    hide();
    main_.showAndActivate();
}

void Form2::Command2_Click()
{
    HScroll1->setValue(2);
}
