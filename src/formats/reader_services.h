// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "html_document.h"
#include "model/area_collection.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// How the map readers reach the editor. The core never opens a window and
// never shows a message: a reader returns its outcome with the text for the
// user, and the caller decides how to show it. The editor plugs in its map
// chooser and its picture loader; tests and the command-line tool plug in
// their own.

// Lets the user choose one of several maps of a page: gets the map names in
// document order, returns the index of the chosen one, or -1 for none.
using MapChooser = std::function<int(const QStringList &mapNames)>;

// Loads the map's picture into the editor (the displayed picture, its
// working copy and the scroll bars); false when the picture cannot be shown.
using PictureLoader = std::function<bool(const QString &path)>;

struct ReaderServices {
    MapChooser chooseMap;         // none: a page with several maps is not read
    PictureLoader loadPicture;    // none: no picture is shown, which never fails
    HtmlParseOptions htmlParsing; // how pages are given to the HTML parser
};

enum class ReadOutcome { Done, Cancelled, Failed };

// How reading a page ended. The message is what the user is told, shown
// with the application's own title; it is empty unless the reading failed.
struct MapReadResult {
    ReadOutcome outcome = ReadOutcome::Done;
    QString message;

    static MapReadResult failed(QString message) { return {ReadOutcome::Failed, std::move(message)}; }
    friend bool operator==(const MapReadResult &, const MapReadResult &) = default;
};

// Where a reader takes its text from: the file being loaded, or an undo or
// redo snapshot of the map text, handed over by the history.
struct MapTextSource {
    enum Kind { File, Snapshot };
    Kind kind = File;
    QString fileOrText;

    static MapTextSource file(const QString &path) { return {File, path}; }
    static MapTextSource snapshot(const QString &text) { return {Snapshot, text}; }
};

// The readers' messages. Where the program itself refuses a file (too large
// or too complex to read safely, or holding more areas than it can number),
// a second line says why.
inline constexpr QStringView MapOpenError = u"Error while opening map !";
inline constexpr QStringView ServerMapLoadError = u"Could not load server-side imagemap !";
inline constexpr QStringView ServerPageOpenError = u"Could not open server-side imagemap !";
inline constexpr QStringView FileTooLargeReason = u"The file is larger than 64 MB.";
inline constexpr QStringView PageTooComplexReason = u"The page is too large or too complex to read.";
inline constexpr QStringView TooManyAreasReason = u"The map has more than 32,767 areas.";
static_assert(MaxAreaCount == 32767, "TooManyAreasReason names the limit");

inline QString pictureOpenError(const QString &path)
{
    return QStringLiteral("Error while opening image ") + path + QStringLiteral(" !");
}

inline QString withReason(QStringView message, QStringView reason)
{
    QString text = message.toString();
    if (!reason.isEmpty())
        text += u'\n' + reason.toString();
    return text;
}
