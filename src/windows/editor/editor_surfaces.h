#pragma once

#include "editor/insert_drawings.h"
#include "platform/colour.h"
#include "platform/measuring_surface.h"
#include "platform/picture_holder.h"
#include "platform/surface.h"

#include <array>

// The picture editor's surfaces, in pixels. The seven drawing surfaces are 640 x 480 and lie
// in the editing area; only Picture3 is seen there. Only Picture1 ever changes its size.
struct EditorSurfaces {
    // The insert picture: fitted when loaded, redrawn zoomed and moved.
    Surface Picture1{640, 480, kWhite, kBlack};
    // What the zoom and move presses have drawn on Picture1, which it shows.
    InsertDrawings Picture1Drawings;
    // The base picture, whose pure-yellow pixels are transparent.
    Surface Picture2{640, 480, kWhite, kBlack};
    // The editor's composed picture: what the editing area shows, what is saved and handed
    // over. Not the main window's MainSurfaces::Picture3, which shares only its name; code
    // of the editor names it EditorSurfaces::Picture3 or reaches it through an
    // EditorSurfaces.
    Surface Picture3{640, 480, kWhite, kBlack};
    // [0]: the transparency mask, white where the base is pure yellow, black elsewhere.
    // [1]: scratch of the composition, the insert picture cut out by the mask.
    std::array<Surface, 2> Picture4{Surface{640, 480, kButtonFace, kBlack},
                                    Surface{640, 480, kButtonFace, kBlack}};
    // [0]: the inverse mask, black where the base is pure yellow, white elsewhere.
    // [1]: scratch of the composition, the base picture with its holes blacked out.
    std::array<Surface, 2> Picture5{Surface{640, 480, kButtonFace, kBlack},
                                    Surface{640, 480, kButtonFace, kBlack}};
    // Measuring surface of the loaders: takes the natural size of its picture.
    MeasuringSurface Picture7{17, 17};
    // Size holder of the loaders.
    PictureHolder Image6{201, 161};
    // The insert surface as it was right after loading: the source of every zoom and move.
    PictureHolder Image10{640, 480};
    // Thumbnails of the insert picture and of the base picture.
    PictureHolder Image1{200, 160};
    PictureHolder Image2{200, 160};
};
