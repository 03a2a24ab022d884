#pragma once

#include "editor/editor_state.h"
#include "printing/print_choices.h"
#include "state/main_surfaces.h"
#include "state/shared_state.h"
#include "state/slot_sources.h"

// Everything the program shares between its windows for one run.
struct ProgramState {
    SharedState vars;
    MainSurfaces main;
    PrintChoices print;
    EditorState editor;
    // Where picture 1 and picture 2 came from.
    SlotSource sources[2];
};
