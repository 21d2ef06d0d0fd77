// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What one run of the EMF converter gave.
struct ConvertedEmf {
    enum class Outcome { Converted, Failed, ConverterMissing };
    Outcome outcome = Outcome::Failed;
    QByteArray svg; // the SVG document, when converted
};

// Converts an EMF to SVG with the separate program emf2svg-conv (Debian's
// package emf2svg). It runs as its own process, never inside the editor,
// with a wall-clock, CPU, memory and output-size limit: a metafile that
// crashes it, makes it spin or makes it write without end costs a failed
// picture, nothing more. The drawing is scaled to fit maxWidth x maxHeight
// pixels, keeping its proportions. Its error output is kept for the
// diagnostics log only.
ConvertedEmf convertEmfToSvg(const QByteArray &emf, qint64 maxWidth, qint64 maxHeight);

// The converter to run: a path, or an empty string for emf2svg-conv found
// on the PATH. Tests point it at other programs.
void setEmfConverterProgram(const QString &program);
