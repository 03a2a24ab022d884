#include "printing/form13.h"

Form13::Form13(ProgramState &state, Platform &platform, form1 &main)
    : ProgramWindow(QStringLiteral("絵の印刷"), 5580, 3450), state_(state), platform_(platform), main_(main)
{
    fixSize();
}
