// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "bench_run.h"

#include <QApplication>
#include <QTest>

#include <cstring>

namespace {

// What a start of the program does up to its first shown frame; the start-up
// benchmark runs this binary with --startup-probe and times the whole process.
int startupProbe(int argc, char **argv)
{
    QApplication app(argc, argv);
    Form1 window;
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}

} // namespace

// The window benchmarks run the real widgets offscreen unless a display is
// chosen with QT_QPA_PLATFORM.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--startup-probe") == 0)
        return startupProbe(argc, argv);
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
