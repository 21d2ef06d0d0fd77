// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/area_painter.h"
#include "sample_maps.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

constexpr QSize PictureSize(2000, 1500);

// A canvas over a 2000 x 1500 picture at zoom 1 with many areas, every
// handle shown, one area hovered and one selected.
struct PaintScene {
    MapDocument doc;
    AreaRegions regions;
    CanvasState canvasState;
    AreaLooks looks{{QColor(0, 0, 255), 5}, {QColor(255, 0, 0), 4}, {QColor(0, 160, 0), 2}};
    QImage picture{PictureSize, QImage::Format_RGB32};
    AreaPainter areaPainter;

    explicit PaintScene(int areas) : doc(sampleMap(areas))
    {
        for (clscoords &area : doc.shapecol)
            for (int i = 0; i < area.nr_points; ++i)
                area.setpic(i);
        regions.reshapeAll(doc);
        picture.fill(QColor(200, 220, 240));
        doc.shapecol.item(5).mouseover = true;
        doc.selected_shapeid = 9;
    }

    void paint(QImage &target, const QRect &viewport)
    {
        QPainter painter(&target);
        painter.translate(-viewport.topLeft());
        painter.drawImage(viewport.topLeft(), picture, viewport);
        areaPainter.paint(painter, doc, regions, canvasState, looks, PictureSize, viewport, QPointF());
    }
};

QRect viewportOf(const benchmark::State &state)
{
    return QRect(500, 400, int(state.range(1)), int(state.range(2)));
}

// The first paint of a viewport: every area in it drawn from scratch.
void BM_PaintViewportCold(benchmark::State &state)
{
    PaintScene scene(int(state.range(0)));
    const QRect viewport = viewportOf(state);
    QImage target(viewport.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        // New regions make every drawing stale, as a zoom step does; their
        // building is timed apart, with the regions.
        state.PauseTiming();
        scene.regions.reshapeAll(scene.doc);
        state.ResumeTiming();
        scene.paint(target, viewport);
    }
}

// A full repaint of a viewport already shown (expose, scroll back).
void BM_PaintViewportRepaint(benchmark::State &state)
{
    PaintScene scene(int(state.range(0)));
    const QRect viewport = viewportOf(state);
    QImage target(viewport.size(), QImage::Format_RGB32);
    scene.paint(target, viewport);
    for (auto _ : state)
        scene.paint(target, viewport);
}

// A full repaint after the pointer moved from one area into another.
void BM_PaintViewportAfterHover(benchmark::State &state)
{
    PaintScene scene(int(state.range(0)));
    const QRect viewport = viewportOf(state);
    QImage target(viewport.size(), QImage::Format_RGB32);
    scene.paint(target, viewport);
    int hovered = 5;
    for (auto _ : state) {
        scene.doc.shapecol.item(hovered).mouseover = false;
        hovered = hovered % 9000 + 17;
        scene.doc.shapecol.item(hovered).mouseover = true;
        scene.paint(target, viewport);
    }
}

} // namespace

BENCHMARK(BM_PaintViewportCold)->Args({10000, 1000, 750})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintViewportRepaint)->Args({10000, 1000, 750})->Args({10000, 1500, 1100})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintViewportAfterHover)->Args({10000, 1000, 750})->Unit(benchmark::kMillisecond);
