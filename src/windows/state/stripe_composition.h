#pragma once

#include <QImage>

class Surface;

// One stripe surface of a composition: its mask row (every row of the mask is the same),
// and the picture ORed into it.
struct StripeLayer {
    Surface &surface;
    const QImage &maskRow;
    const QImage &picture;
};

// When the stripe surfaces receive their pixels: during the pass, or only when someone next
// reads them (for stripe surfaces nobody shows, whose pixels only the composed picture needs).
enum class StripePixels { Now, OnDemand };

// Composes one size of the stripe composition in a single pass over the rows. The pixels are
// those of drawing each mask (every row its mask row), OR-ing each picture, stretched to
// paintWidth x paintHeight from the top-left corner, into its mask, whitening `composed` and
// AND-ing both masks onto it over its own size; each pixel is written once instead of once
// per step. With StripePixels::OnDemand the pass writes `composed` alone, and the stripe
// surfaces draw the same pixels when they are next read.
void composeStripes(const StripeLayer &a, const StripeLayer &b, int paintWidth, int paintHeight,
                    Surface &composed, StripePixels layers = StripePixels::Now);
