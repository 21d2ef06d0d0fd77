// SPDX-License-Identifier: GPL-3.0-or-later
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
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    const int status = runMapTool(args, input, out, err);
    return out.flush() && out.error() == QFileDevice::NoError ? status : ExitStatus::ReadFailed;
}
