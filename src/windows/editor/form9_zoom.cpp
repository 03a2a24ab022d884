#include "editor/editor_zoom.h"
#include "editor/form9.h"
#include "state/program_state.h"

void form9::Command4_Click(int index)
{
    // A press that would take the zoom past its bounds does nothing.
    if (const std::optional<Number> next = zoomStepsAfterPress(index, state_.editor.zoomSteps)) {
        state_.editor.zoomSteps = *next;
        ApplyZoom();
    }
}

void form9::ApplyZoom()
{
    applyZoom(*this, state_.editor, state_.vars);
}

void form9::Command3_Click(int index)
{
    moveInsert(index, *this, state_.editor, state_.vars);
}
