// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class MapDocument;

// Path and URL helpers for the references written into map HTML.
//
// Two path styles are understood. A path that starts with a drive letter
// ("C:") or two backslashes is Windows-style: "\" (and "/") separate
// folders, a drive or a UNC share is its root and names compare without
// regard to case. A path that starts with "/" is POSIX-style, whatever it
// holds: "/" separates, "/" is the root, names compare exactly and a
// backslash is part of a name. A relative path is Windows-style when it
// holds a backslash; where it was made from other paths, it keeps theirs.
// Generated references always use "/".

// Whether the path starts with a drive letter and a colon ("C:").
bool hasDriveLetter(const QString &path);

// The path up to and including its last separator; empty if it has none.
QString getDir(const QString &path);

// The part after the last separator; the whole path if it has none.
QString file_name_of_path(const QString &path);

// The relative path from `from` (a folder, or a file when fromIsFile) to the
// file `to`: ".\" or "./" when `to` lies in that folder or below, one "..\"
// or "../" per folder level to climb otherwise. Empty when the paths share
// no root (other drive, one relative and one absolute) or the result would
// not fit a path buffer.
QString relative_path_to(const QString &from, const QString &to, bool fromIsFile = false);

// The file URL of a path: "file:", "///" before a drive letter or POSIX
// root ("//" before a UNC server), "/" separators, and characters that may
// not stand in a URL path escaped as %XX (a blank is %20, "%" is %25).
QString url_from_path(const QString &path);

// url_from_path without its "file:" scheme.
QString url_path_part(const QString &path);

// The text up to its first NUL character.
QString cut_at_nul(const QString &text);

// The picture reference written into a file: relative to that file when it
// has a name and a relative path exists, else the picture's file name.
QString image_src_from(const QString &file, const QString &image_file);

// The picture reference of a client-side map: image_src_from its map file.
QString image_src_for_map(const MapDocument &doc);

// The link for a file chosen with a Browse button: relative to the map file
// (or, before the first save, to the picture), else the file's full path in
// URL form.
QString link_for_file(const MapDocument &doc, const QString &path);

// Decodes "+" as a blank and "%" followed by two characters as the byte
// they give in hexadecimal (what of them is a hex digit; none is 0). Runs of
// decoded bytes that form UTF-8 become those characters; any other byte
// stands for the character of the same code.
QString URLDecode(const QString &text);
