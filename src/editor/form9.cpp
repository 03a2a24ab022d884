#include "editor/form9.h"

form9::form9(ProgramState &state, Platform &platform, form1 &main)
    : ProgramWindow(QStringLiteral("絵の作成"), 13665, 8505), state_(state), platform_(platform), main_(main)
{
    fixSize();
}
