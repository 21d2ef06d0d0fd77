// SPDX-License-Identifier: GPL-3.0-or-later
// zonari_read_peak FILE [html|ncsa|cern]: reads a map file as a load in the
// editor reads it (the picture is never loaded) and prints how the reading
// ended, its time, and the peak memory of this process and of the HTML
// parser's child. A forked child counts the pages it shares with this
// process too, so the sum errs on the high side.
#include "formats/client_map_reader.h"
#include "formats/server_map_reader.h"
#include "model/map_document.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuSeconds(const rusage &usage)
{
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fputs("usage: zonari_read_peak FILE [html|ncsa|cern]\n", stderr);
        return 2;
    }
    const QString path = args[1];
    const QString format = args.value(2, QStringLiteral("html"));
    MapDocument doc;
    doc.map_file = path;
    const auto start = std::chrono::steady_clock::now();
    QString outcome;
    if (format == u"html") {
        ReaderServices services;
        services.chooseMap = [](const QStringList &) { return 0; };
        const MapReadResult read = analyze_client_map(doc, MapTextSource::file(path), services);
        outcome = read.outcome == ReadOutcome::Done ? QStringLiteral("read") : read.message;
    } else {
        const ServerMapResult read =
            analyze_server_map(doc, MapTextSource::file(path), format == u"cern" ? Cern : Ncsa);
        outcome = read.ok ? QStringLiteral("read") : read.message();
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    rusage self{};
    rusage child{};
    ::getrusage(RUSAGE_SELF, &self);
    ::getrusage(RUSAGE_CHILDREN, &child);
    std::printf("%s | %d areas | %.2f s | CPU %.2f s here, %.2f s in the child | peak %ld MB here, %ld MB in the "
                "child, %ld MB in all\n",
                qPrintable(outcome.replace(u'\n', u' ')), doc.shapecol.count(), wall.count(), cpuSeconds(self),
                cpuSeconds(child), self.ru_maxrss / 1024, child.ru_maxrss / 1024,
                (self.ru_maxrss + child.ru_maxrss) / 1024);
    return 0;
}
