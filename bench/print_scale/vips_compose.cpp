// The baseline the print-scale benchmark measures lintaro-cli against: a plain libvips
// program doing the same job. Each frame is fitted inside the canvas (vips_thumbnail) and
// centred on white, a column mask per frame picks its stripes (ifthenelse), and the picture
// and its lattice are written as PNG at libvips's default compression. libvips streams the
// work in strips on every core, so its memory stays small at any canvas size.
//
// Usage: lintaro_vips_compose WIDTH HEIGHT SLIT PICTURE.png LATTICE.png FRAME...
#include <vips/vips.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{

// A WIDTH x HEIGHT one-band image whose every row is `row`.
VipsImage *rowsOf(const std::vector<unsigned char> &row, int height)
{
    VipsImage *one = vips_image_new_from_memory_copy(row.data(), row.size(), int(row.size()), 1,
                                                     1, VIPS_FORMAT_UCHAR);
    VipsImage *all = nullptr;
    if (!one || vips_replicate(one, &all, 1, height, nullptr))
        vips_error_exit(nullptr);
    g_object_unref(one);
    return all;
}

} // namespace

int main(int argc, char **argv)
{
    if (VIPS_INIT(argv[0]))
        vips_error_exit(nullptr);
    if (argc < 8) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT SLIT PICTURE.png LATTICE.png FRAME...\n",
                     argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const int slit = std::atoi(argv[3]);
    const int count = argc - 6;

    // Column x shows frame (-floor(x / slit)) mod N; the lattice is open where that is 0.
    std::vector<unsigned char> owner(size_t(width), 0);
    for (int x = 0; x < width; ++x)
        owner[size_t(x)] = (unsigned char)((count - (x / slit) % count) % count);
    VipsImage *index = rowsOf(owner, height);

    VipsImage *composed = nullptr;
    for (int i = 0; i < count; ++i) {
        VipsImage *thumb = nullptr;
        VipsImage *fitted = nullptr;
        if (vips_thumbnail(argv[6 + i], &thumb, width, "height", height, nullptr) ||
            vips_gravity(thumb, &fitted, VIPS_COMPASS_DIRECTION_CENTRE, width, height, "extend",
                         VIPS_EXTEND_WHITE, nullptr))
            vips_error_exit(nullptr);
        g_object_unref(thumb);
        if (!composed) {
            composed = fitted;
            continue;
        }
        VipsImage *mask = nullptr;
        VipsImage *next = nullptr;
        if (vips_equal_const1(index, &mask, double(i), nullptr) ||
            vips_ifthenelse(mask, fitted, composed, &next, nullptr))
            vips_error_exit(nullptr);
        g_object_unref(mask);
        g_object_unref(fitted);
        g_object_unref(composed);
        composed = next;
    }
    if (vips_pngsave(composed, argv[4], nullptr))
        vips_error_exit(nullptr);

    const int latticeWidth = width + count * slit;
    std::vector<unsigned char> open(size_t(latticeWidth), 0);
    for (int x = 0; x < latticeWidth; ++x)
        open[size_t(x)] = (x / slit) % count == 0 ? 255 : 0;
    VipsImage *grey = rowsOf(open, height);
    VipsImage *copies[3] = {grey, grey, grey};
    VipsImage *lattice = nullptr;
    if (vips_bandjoin(copies, &lattice, 3, nullptr) || vips_pngsave(lattice, argv[5], nullptr))
        vips_error_exit(nullptr);

    g_object_unref(lattice);
    g_object_unref(grey);
    g_object_unref(composed);
    g_object_unref(index);
    vips_shutdown();
    return 0;
}
