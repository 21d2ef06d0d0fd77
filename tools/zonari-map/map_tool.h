// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

class QIODevice;

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
inline constexpr int ReadFailed = 1;    // a reader refused the input
inline constexpr int BadInput = 2;      // bad arguments or a bad document
inline constexpr int ProblemsFound = 1; // check found something that will not work
} // namespace ExitStatus

// args excludes the program name. What the tool prints is written to out
// and err as it is made, so that a large map is never held as text; the
// exit status is returned.
int runMapTool(const QStringList &args, const QByteArray &standardInput, QIODevice &out, QIODevice &err);

// The same with both outputs gathered.
ToolRun runMapTool(const QStringList &args, const QByteArray &standardInput);
