#pragma once

#include "editor/editor_state.h"
#include "printing/print_choices.h"
#include "state/main_surfaces.h"
#include "state/shared_state.h"

// Everything the program shares between its windows for one run.
struct ProgramState {
    SharedState vars;
    MainSurfaces main;
    PrintChoices print;
    EditorState editor;
};
