// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_run.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
