// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas_tools.h"
#include "sample_maps.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

struct QuietHost : CanvasHost {
    QString shapeCoords;
    void setCoordsCaption(const QString &) override {}
    void setShapeCoordsText(const QString &text) override { shapeCoords = text; }
    QString shapeCoordsText() const override { return shapeCoords; }
    void setCanvasCursor(CanvasCursor) override {}
    void showActiveTool(CanvasTool) override {}
    void showEscapeHint(bool) override {}
    void repaintCanvas() override {}
    void openAreaProperties(int) override {}
    void openContextMenu(QPointF, bool) override {}
    QPoint mainpicPosition() const override { return {}; }
    QRect visibleCanvasRect() const override { return {0, 0, 2000, 1500}; }
    void show_zoomed_picture(bool) override {}
};

// One pointer move over a 2000 x 1500 picture holding many areas, with the
// select tool: read-out, hover test of every area, enter and leave.
void BM_CanvasMouseMove(benchmark::State &state)
{
    EditingSession session;
    session.document() = sampleMap(int(state.range(0)));
    CanvasState canvasState;
    QuietHost host;
    CanvasTools tools(session, canvasState, host);
    tools.reshapeAll();
    tools.sbarrow_Click();
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(0, 2000), y(0, 1500);
    std::vector<QPointF> path(1024);
    for (QPointF &p : path)
        p = QPointF(x(random), y(random));
    std::size_t i = 0;
    for (auto _ : state)
        tools.mouseMove(Qt::NoButton, path[i++ % path.size()]);
}

} // namespace

BENCHMARK(BM_CanvasMouseMove)->Arg(10000)->Unit(benchmark::kMicrosecond);
