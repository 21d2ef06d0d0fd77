// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "canvas/canvas.h"
#include "formats/map_writer.h"
#include "sample_maps.h"

#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

// The editor with a 10,000-area map on a 2000 x 1500 picture, the select
// tool chosen, the map text shown and its history's baseline set.
struct EditedMap {
    Form1 window;
    QWidget *canvas = nullptr;
    QPoint grip; // inside the first rectangle that lies in view

    EditedMap()
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("the window was not exposed");
        MapDocument &doc = window.document();
        const MapDocument sample = sampleMap(10000);
        for (const clscoords &area : sample.shapecol)
            doc.shapecol.append(area);
        doc.map_name = sample.map_name;
        doc.image_file = sample.image_file;
        window.setPicture(photoSizedPicture());
        window.mnuview_normalsize();
        window.session().refreshAsBaseline();
        window.sbarrow_Click();
        canvas = window.mainpic();
        for (const clscoords &area : doc.shapecol)
            if (area.shapetype == Rectangle && area.getPointX(1) < 600 && area.getPointY(1) < 300) {
                grip = QPoint((area.getPointX(0) + area.getPointX(1)) / 2, (area.getPointY(0) + area.getPointY(1)) / 2);
                break;
            }
        canvas->repaint();
    }

    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, p, canvas->mapToGlobal(p), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &event);
    }

    // Drags the area at the grip a few pixels right or back left, as a user
    // moves an area with the select tool, and paints the result.
    void moveArea(int dx)
    {
        mouse(QEvent::MouseMove, grip, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        grip.rx() += dx;
        mouse(QEvent::MouseMove, grip, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
        canvas->repaint();
        window.htmltext()->viewport()->repaint();
    }

    void command(const char *key)
    {
        window.dispatchMenuKey(QLatin1String(key));
        canvas->repaint();
        window.htmltext()->viewport()->repaint();
    }
};

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1 << 20) : 0;
}

} // namespace

// One complete edit: an area moved with the mouse, the map text regenerated
// and shown, a snapshot recorded, canvas and code pane painted.
void BM_EditMoveArea10000Areas(benchmark::State &state)
{
    EditedMap map;
    int dx = 5;
    for (auto _ : state) {
        map.moveArea(dx);
        dx = -dx;
    }
    state.counters["snapshots"] = double(map.window.session().history().undoCount());
}
BENCHMARK(BM_EditMoveArea10000Areas)->Unit(benchmark::kMillisecond);

// Undo of one such edit, painted; and the redo that brings it back.
void BM_UndoRedo10000Areas(benchmark::State &state)
{
    EditedMap map;
    const bool timeRedo = state.range(0) == 1;
    map.moveArea(5);
    for (auto _ : state) {
        if (timeRedo)
            state.PauseTiming();
        map.command("mnuedit_undo");
        if (timeRedo)
            state.ResumeTiming();
        else
            state.PauseTiming();
        map.command("mnuedit_redo");
        if (!timeRedo)
            state.ResumeTiming();
    }
    state.SetLabel(timeRedo ? "redo" : "undo");
}
BENCHMARK(BM_UndoRedo10000Areas)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole program's memory with the map and 100 undo snapshots.
void BM_MemoryWith100Snapshots10000Areas(benchmark::State &state)
{
    for (auto _ : state) {
        EditedMap map;
        const double before = residentMegabytes();
        for (int edit = 0; edit < 100; ++edit)
            map.moveArea(edit % 2 ? -5 : 5);
        state.counters["resident_MB"] = residentMegabytes();
        state.counters["added_by_100_edits_MB"] = residentMegabytes() - before;
        state.counters["snapshots_MB"] = double(map.window.session().history().storedBytes()) / (1 << 20);
    }
}
BENCHMARK(BM_MemoryWith100Snapshots10000Areas)->Unit(benchmark::kMillisecond)->Iterations(1);

// The code pane taking a whole 10,000-area map text at once, as after a
// load, and painting what is in view.
void BM_CodePaneWholeMap10000Areas(benchmark::State &state)
{
    Form1 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        state.SkipWithError("window not exposed");
    const MapDocument sample = sampleMap(10000);
    for (auto _ : state) {
        state.PauseTiming();
        window.session().reset();
        for (const clscoords &area : sample.shapecol)
            window.document().shapecol.append(area);
        state.ResumeTiming();
        window.fill_html_textbox();
        window.htmltext()->viewport()->repaint();
    }
}
BENCHMARK(BM_CodePaneWholeMap10000Areas)->Unit(benchmark::kMillisecond);

// The code pane following an edit of one area in a 10,000-area map: one line
// of the map text changes, and the pane paints what is in view.
void BM_CodePaneOneLineChange10000Areas(benchmark::State &state)
{
    MapDocument doc = sampleMap(10000);
    const QString before = calculate_html(doc);
    doc.shapecol.item(5000).link += QStringLiteral("-edited");
    const QString after = calculate_html(doc);
    CodePane pane(nullptr);
    pane.resize(745, 105);
    pane.show();
    if (!QTest::qWaitForWindowExposed(&pane))
        state.SkipWithError("pane not exposed");
    pane.showMapText(before);
    bool edited = false;
    for (auto _ : state) {
        edited = !edited;
        pane.showMapText(edited ? after : before);
        pane.viewport()->repaint();
    }
}
BENCHMARK(BM_CodePaneOneLineChange10000Areas)->Unit(benchmark::kMillisecond);
