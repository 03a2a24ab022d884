#include "editor/editor_compose.h"
#include "editor/form9.h"
#include "state/program_state.h"

void form9::BuildTransparencyMask()
{
    buildTransparencyMask(*this, state_.vars);
}

void form9::ComposeEditorPicture()
{
    composeEditorPicture(*this, state_.vars);
}
