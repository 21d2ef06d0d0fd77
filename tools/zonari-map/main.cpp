#include "map_tool.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    QByteArray input;
    // Only commands that take a document read standard input.
    if (!args.isEmpty() && args.first() == QLatin1String("write")) {
        QFile in;
        if (in.open(stdin, QIODevice::ReadOnly))
            input = in.readAll();
    }
    const ToolRun run = runMapTool(args, input);
    std::fwrite(run.out.constData(), 1, std::size_t(run.out.size()), stdout);
    std::fwrite(run.err.constData(), 1, std::size_t(run.err.size()), stderr);
    return std::fflush(stdout) == 0 ? run.status : ExitStatus::ReadFailed;
}
