#pragma once

#include "platform/colour.h"
#include "platform/measuring_surface.h"
#include "platform/picture_holder.h"
#include "platform/surface.h"

#include <array>

// The main window's picture surfaces, in pixels. Any window may reach them by name: the
// editor writes the slots, the print commands read the composed pictures and the lattices.
struct MainSurfaces {
    // Stripe surfaces of picture 1 and picture 2 at display size.
    Surface Picture1{320, 240, kButtonFace, kBlack};
    Surface Picture2{320, 240, kButtonFace, kBlack};
    // The composed picture at display size: what the main area shows.
    Surface Picture3{320, 240, kWhite, kBlack}; // not the editor's EditorSurfaces::Picture3
    // The lattice sheets: the one the animation slides and the landscape print uses,
    // and the narrower one of the portrait print.
    Surface Picture4{1030, 240, kWhite, kBlack};
    Surface Picture40{672, 240, kWhite, kBlack};
    // Picture5[2] is the animation preview; [0] and [1] lie unused behind the main area.
    std::array<Surface, 3> Picture5{Surface{320, 240, kButtonFace, kBlack},
                                    Surface{320, 240, kButtonFace, kBlack},
                                    Surface{320, 240, kWhite, kBlack}};
    // Measuring surface of the picture import: takes the natural size of its picture.
    MeasuringSurface Picture7{25, 25};
    // Picture 1 and picture 2 fitted to display size and to the large size.
    std::array<Surface, 2> Picture8{Surface{320, 240, kWhite, kBlack},
                                    Surface{320, 240, kWhite, kBlack}};
    std::array<Surface, 2> Picture9{Surface{640, 480, kWhite, kBlack},
                                    Surface{640, 464, kWhite, kBlack}};
    // Large stripe surfaces, the counterparts of Picture1 and Picture2.
    std::array<Surface, 2> Picture10{Surface{640, 480, kWhite, kBlack},
                                     Surface{640, 464, kWhite, kBlack}};
    // The composed picture at the large size, for printing.
    Surface Picture11{640, 464, kWhite, kBlack};

    // Thumbnails of picture 1 and picture 2, and the size holder of the picture import.
    PictureHolder Image4{161, 121};
    PictureHolder Image5{161, 121};
    PictureHolder Image6{25, 25};
};
