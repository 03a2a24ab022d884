#pragma once

struct EditorSurfaces;
struct SharedState;

// The editor's transparent compositing. Pure yellow (255, 255, 0), exactly, is the
// transparent colour of the base picture; nothing else is, and the insert picture has no
// transparent colour at all.

// Writes white into the mask Picture4[0] wherever the base Picture2 is pure yellow, then
// makes the inverse mask Picture5[0] = white XOR mask. Relies on the mask being black and
// the inverse mask white beforehand (the editor clears both right before).
void buildTransparencyMask(EditorSurfaces &s, SharedState &vars);

// Composes the editor's Picture3 (EditorSurfaces::Picture3): the insert picture Picture1 where the mask is white, the base picture
// Picture2 elsewhere. Where Picture1 is smaller than the editing area (zoomed out), the
// holes show white.
void composeEditorPicture(EditorSurfaces &s, SharedState &vars);
