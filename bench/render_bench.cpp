// Draft view painting into the raster buffer: a full repaint of a 1920 x 1080
// drawing area at zoom step 1 in each style (target: 5 ms), and the repaint a
// one-cell stroke causes.
#include "full_draft.h"
#include "document/document.h"
#include "edit/stroke.h"
#include "model/primitives.h"
#include "view/change_paint.h"
#include "view/geometry.h"
#include "view/raster_canvas.h"
#include "view/renderer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

std::unique_ptr<hw::DraftState> FullDraft(int style) {
    auto d = hw::bench::StripedDraft(3);
    d->Style = style;
    d->Zoom = 1;
    d->MarkingOn = true;
    return d;
}

struct Scene {
    std::unique_ptr<hw::DraftState> Draft;
    hw::ViewWindow Window;
    hw::ViewSettings Settings;
    hw::ViewGeometry Geometry;
    hw::RasterCanvas Canvas{Width, Height};
    explicit Scene(int style) : Draft(FullDraft(style)) {
        hw::LayoutView(*Draft, Settings, Window, Geometry, 0, 0, Width, Height);
    }
};

void FullRepaint(benchmark::State& state) {
    Scene s(int(state.range(0)));
    for (auto _ : state) {
        hw::DraftRenderer(s.Canvas, *s.Draft, s.Window, s.Geometry, s.Settings)
            .FullRepaint(Width, Height);
        benchmark::DoNotOptimize(s.Canvas.Data());
    }
    state.counters["cells"] = double(s.Geometry.VisibleEnds) * s.Geometry.VisiblePicks;
}
BENCHMARK(FullRepaint)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// One pen click in the threading, recorded by the document: the threading
// column and its drawdown column are repainted, nothing else, and the step
// keeps one byte.
void OneCellStroke(benchmark::State& state) {
    Scene s(int(state.range(0)));
    hw::Document doc;
    doc.Replace(*s.Draft);
    const hw::DraftState& d = doc.Draft();
    hw::DraftRenderer(s.Canvas, d, s.Window, s.Geometry, s.Settings).FullRepaint(Width, Height);
    hw::StrokeState stroke;
    stroke.Tool = hw::StrokeTool::Pen;
    const hw::ViewAreaLayout& th = s.Geometry.Threading;
    const hw::StrokeTarget target{d, s.Window, s.Geometry};
    int shaft = 1;
    int64_t pixels = 0;
    for (auto _ : state) {
        s.Canvas.ResetDirty();
        const int x = th.Columns.CellPos(100) + 1, y = th.Rows.CellPos(shaft) + 1;
        const int last = hw::LastThreadedVisible(d, s.Window);
        hw::StrokePress(stroke, target, hw::StrokeButton::Left, 0, x, y);
        const hw::FinishedStroke f = hw::StrokeFinish(stroke);
        const hw::Change c = doc.Edit([&](hw::DraftState& dd) { f.Apply(dd); });
        hw::DraftRenderer r(s.Canvas, d, s.Window, s.Geometry, s.Settings);
        hw::PaintChange(r, d, s.Window, c, last);
        const hw::PixelBox box = s.Canvas.Dirty();
        pixels = int64_t(box.Width) * box.Height;
        shaft = shaft % 16 + 1;
    }
    state.counters["dirty_px"] = double(pixels);
    state.counters["step_bytes"] = double(doc.HistoryBytes()) / double(doc.StepCount());
}
BENCHMARK(OneCellStroke)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

} // namespace
