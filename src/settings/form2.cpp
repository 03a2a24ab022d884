#include "settings/form2.h"

Form2::Form2(ProgramState &state, Platform &platform, form1 &main)
    : ProgramWindow(QStringLiteral("設定"), 5460, 3855), state_(state), platform_(platform), main_(main)
{
    fixSize();
}
