#include "editor/editor_compose.h"
#include "editor/editor_state.h"
#include "editor/editor_surfaces.h"
#include "editor/editor_zoom.h"
#include "state/fill_box.h"
#include "state/shared_state.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace
{

// A photograph-like picture with round pure-yellow holes (for a base) or without (insert).
QImage benchPicture(bool holes)
{
    QImage image(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < 640; ++x) {
            const bool hole = holes && ((x / 80 + y / 80) % 2 == 0) &&
                              ((x % 80 - 40) * (x % 80 - 40) + (y % 80 - 40) * (y % 80 - 40) < 900);
            line[x] = hole ? toQRgb(kPureYellow) : qRgb(x % 256, y % 256, (x ^ y) % 256);
        }
    }
    return image;
}

struct Editor {
    EditorSurfaces s;
    SharedState vars;
    EditorState e;

    Editor()
    {
        s.Picture2.setPicture(benchPicture(true));
        s.Picture1.setPicture(benchPicture(false));
        s.Image10.setPicture(s.Picture1.image());
        clearMasks();
        buildTransparencyMask(s, vars);
    }
    void clearMasks()
    {
        FillWhole(s.Picture4[0], vars, kBlack);
        FillWhole(s.Picture5[0], vars, kWhite);
    }
};

// The yardstick: copying the bytes of one 640 x 480 surface.
void BM_MemcpySurface(benchmark::State &state)
{
    std::vector<unsigned char> from(640 * 480 * 4, 7), to(640 * 480 * 4);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(from.size()));
}
BENCHMARK(BM_MemcpySurface);

void BM_BuildTransparencyMask(benchmark::State &state)
{
    Editor editor;
    for (auto _ : state) {
        editor.clearMasks();
        buildTransparencyMask(editor.s, editor.vars);
    }
}
BENCHMARK(BM_BuildTransparencyMask)->Unit(benchmark::kMicrosecond);

void BM_ComposeEditorPicture(benchmark::State &state)
{
    Editor editor;
    for (auto _ : state)
        composeEditorPicture(editor.s, editor.vars);
}
BENCHMARK(BM_ComposeEditorPicture)->Unit(benchmark::kMicrosecond);

// One zoom press: resize, redraw of the insert picture, composition. Alternates between two
// neighbouring steps, as pressing "↑" and "↓" does.
void BM_ZoomPress(benchmark::State &state)
{
    Editor editor;
    const int low = int(state.range(0));
    int i = 0;
    for (auto _ : state) {
        editor.e.zoomSteps = low + (i++ & 1);
        applyZoom(editor.s, editor.e, editor.vars);
    }
}
BENCHMARK(BM_ZoomPress)
    ->Arg(1)
    ->Arg(0)
    ->Arg(-6)
    ->Arg(40)
    ->Arg(-100)
    ->Arg(185)
    ->Arg(-186)
    ->Unit(benchmark::kMicrosecond);

// Pressing at the bound: a press past it does nothing, so the press goes back and forth
// between the bound and one step inside ("↑" then "↓" at 185 and 186).
void BM_ZoomPressAtBound(benchmark::State &state)
{
    Editor editor;
    const int bound = int(state.range(0));
    int i = 0;
    for (auto _ : state) {
        editor.e.zoomSteps = (i++ & 1) ? bound : bound - (bound > 0 ? 1 : -1);
        applyZoom(editor.s, editor.e, editor.vars);
    }
}
BENCHMARK(BM_ZoomPressAtBound)->Arg(186)->Arg(-186)->Unit(benchmark::kMicrosecond);

// One move press at a zoom: clear, redraw at Picture1's size, composition.
void BM_MovePress(benchmark::State &state)
{
    Editor editor;
    editor.e.zoomSteps = int(state.range(0));
    applyZoom(editor.s, editor.e, editor.vars);
    int i = 0;
    for (auto _ : state)
        moveInsert((i++ & 1) ? 1 : 3, editor.s, editor.e, editor.vars);
}
BENCHMARK(BM_MovePress)->Arg(0)->Arg(6)->Arg(-6)->Arg(40)->Arg(186)->Unit(benchmark::kMicrosecond);

} // namespace
