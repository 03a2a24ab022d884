#pragma once

#include "platform/numeric.h"

// module1's shared print choices. Each holds a 16-bit integer once set; before that it is
// empty, which compares equal to 0.
struct PrintChoices {
    Number printPaper = 0;       // 0 = A4, 1 = B5
    Number printOrientation = 0; // 0 = landscape, 1 = portrait
    Number printSize = 0;        // 0 = normal (Picture3), 1 = large (Picture11)
};
