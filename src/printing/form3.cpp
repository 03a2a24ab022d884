#include "printing/form3.h"

Form3::Form3(ProgramState &state, Platform &platform, form1 &main)
    : ProgramWindow(QStringLiteral("線の印刷"), 5205, 4005), state_(state), platform_(platform), main_(main)
{
    fixSize();
}
