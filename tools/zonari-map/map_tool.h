#pragma once

#include <QByteArray>
#include <QStringList>

// zonari-map: batch work on maps without the editor. The tool is a function
// from arguments and standard input to standard output, standard error and
// an exit status, so tests run it in-process.
struct ToolRun {
    QByteArray out;
    QByteArray err;
    int status = 0;
};

namespace ExitStatus {
inline constexpr int Ok = 0;
inline constexpr int ReadFailed = 1; // a reader refused the input
inline constexpr int BadInput = 2;   // bad arguments or a bad document
} // namespace ExitStatus

// args excludes the program name.
ToolRun runMapTool(const QStringList &args, const QByteArray &standardInput);
