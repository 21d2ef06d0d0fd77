// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "canvas/canvas.h"
#include "canvas/zoom_math.h"
#include "formats/map_writer.h"
#include "sample_maps.h"

#include <QMouseEvent>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// A whole start of a new process, from exec to the main window's first frame.
void BM_ProcessStartToShownWindow(benchmark::State &state)
{
    for (auto _ : state) {
        const int status = QProcess::execute(QCoreApplication::applicationFilePath(), {"--startup-probe"});
        if (status != 0)
            state.SkipWithError("the probe did not show its window");
    }
}
BENCHMARK(BM_ProcessStartToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

// From constructing the main window to its first frame, in a running program.
void BM_StartupToShownWindow(benchmark::State &state)
{
    for (auto _ : state) {
        Form1 window;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("window not exposed");
        window.repaint();
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond);

// One zoom step of a 2000 x 1500 picture, painted: alternately in and out,
// around a point in the middle of the view.
void BM_ZoomStepPainted(benchmark::State &state)
{
    Form1 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        state.SkipWithError("window not exposed");
    window.document().image_file = QStringLiteral("photo.png");
    window.setPicture(photoSizedPicture());
    window.mnuview_normalsize();
    window.canvasState().first_actx = 370;
    window.canvasState().first_acty = 180;
    bool in = true;
    for (auto _ : state) {
        window.show_zoomed_picture(in);
        window.repaint();
        in = !in;
    }
}
BENCHMARK(BM_ZoomStepPainted)->Unit(benchmark::kMillisecond);

// The pixel copy alone, for comparison.
void BM_ZoomedCopy(benchmark::State &state)
{
    const QImage picture = photoSizedPicture();
    const QSize size = zoomedPictureSize(picture.size(), 1.2f);
    for (auto _ : state)
        benchmark::DoNotOptimize(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}
BENCHMARK(BM_ZoomedCopy)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The editor showing a 2000 x 1500 picture with 10,000 areas at zoom 1,
// every handle placed, the select tool chosen.
struct BusyWindow {
    Form1 window;

    BusyWindow()
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("the window was not exposed");
        MapDocument &doc = window.document();
        const MapDocument sample = sampleMap(10000);
        for (const clscoords &area : sample.shapecol) {
            clscoords &copy = doc.shapecol.append(area);
            for (int i = 0; i < copy.nr_points; ++i)
                copy.setpic(i);
        }
        doc.image_file = QStringLiteral("photo.png");
        window.setPicture(photoSizedPicture());
        window.mnuview_normalsize();
        window.sbarrow_Click();
        window.mainpic()->repaint();
    }
};

} // namespace

// One pointer move over the canvas: read-outs, hover test, highlight.
void BM_CanvasMouseMove10000Areas(benchmark::State &state)
{
    BusyWindow busy;
    QWidget *canvas = busy.window.mainpic();
    std::vector<QPoint> path;
    for (int i = 0; i < 1024; ++i)
        path.emplace_back((i * 7919) % 740, (i * 104729) % 370);
    std::size_t i = 0;
    for (auto _ : state) {
        const QPoint p = path[i++ % path.size()];
        QMouseEvent move(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &move);
    }
}
BENCHMARK(BM_CanvasMouseMove10000Areas)->Unit(benchmark::kMicrosecond);

// A full repaint of the visible canvas over 10,000 areas, after its first.
void BM_CanvasRepaint10000Areas(benchmark::State &state)
{
    BusyWindow busy;
    for (auto _ : state)
        busy.window.mainpic()->repaint();
}
BENCHMARK(BM_CanvasRepaint10000Areas)->Unit(benchmark::kMillisecond);

// A move onto another area followed by the repaint it asks for.
void BM_CanvasHoverAndRepaint10000Areas(benchmark::State &state)
{
    BusyWindow busy;
    QWidget *canvas = busy.window.mainpic();
    std::size_t i = 0;
    for (auto _ : state) {
        const QPoint p((int(i) * 7919) % 740, (int(i) * 104729) % 370);
        ++i;
        QMouseEvent move(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &move);
        canvas->repaint();
    }
}
BENCHMARK(BM_CanvasHoverAndRepaint10000Areas)->Unit(benchmark::kMillisecond);

// The first repaint of the canvas after a zoom step over 10,000 areas,
// alternately in and out: every region is new and every tile in view is
// drawn again. The step itself (regions, map text) is not timed.
void BM_FirstPaintAfterZoomStep10000Areas(benchmark::State &state)
{
    BusyWindow busy;
    busy.window.canvasState().first_actx = 370;
    busy.window.canvasState().first_acty = 180;
    bool in = true;
    for (auto _ : state) {
        state.PauseTiming();
        busy.window.show_zoomed_picture(in);
        in = !in;
        state.ResumeTiming();
        busy.window.mainpic()->repaint();
    }
}
BENCHMARK(BM_FirstPaintAfterZoomStep10000Areas)->Unit(benchmark::kMillisecond);

namespace {

// Answers the file choices with the files given, in turn.
class ChosenFilesDesktop : public Desktop {
public:
    explicit ChosenFilesDesktop(QStringList files) : m_files(std::move(files)) {}
    QString chooseOpenFile(QWidget *, const QString &, const QString &) override
    {
        return m_files[m_next++ % m_files.size()];
    }

private:
    QStringList m_files;
    qsizetype m_next = 0;
};

} // namespace

// "Load Client-Side Map" of a page the editor wrote, 10,000 areas over a
// 2000 x 1500 picture, from the file to the painted window. Two such maps
// take turns, every line of their texts different. The argument picks the
// picture's format: 0 BMP, 1 PNG, 2 JPEG.
void BM_LoadClientMap10000AreasPainted(benchmark::State &state)
{
    static const char *const formats[] = {"bmp", "png", "jpg"};
    QTemporaryDir dir;
    MapDocument doc = sampleMap(10000);
    doc.image_file = dir.filePath(QStringLiteral("photo.") + QLatin1String(formats[state.range(0)]));
    photoSizedPicture().save(doc.image_file);
    QStringList pages;
    for (const char *name : {"a", "b"}) {
        doc.map_name = QLatin1String(name);
        for (clscoords &area : doc.shapecol)
            area.link += doc.map_name;
        doc.map_file = dir.filePath(doc.map_name + QStringLiteral(".html"));
        QFile page(doc.map_file);
        if (!page.open(QIODevice::WriteOnly) || page.write(calculate_html(doc).toUtf8()) < 0)
            state.SkipWithError("cannot write the page");
        pages << doc.map_file;
    }

    Form1 window(std::make_unique<ChosenFilesDesktop>(pages));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        state.SkipWithError("window not exposed");

    for (auto _ : state) {
        window.mnufile_loadmapclient();
        window.repaint();
        if (window.document().shapecol.count() != 10000)
            state.SkipWithError("the map did not load");
    }
}
BENCHMARK(BM_LoadClientMap10000AreasPainted)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
