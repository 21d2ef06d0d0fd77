// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Turning the bytes of map and HTML files into text, the way the readers
// take them in.

// Larger files are refused before they are read: the readers keep a few
// copies of the text, and the HTML parser's tree is several times its size.
inline constexpr qint64 MaxMapFileBytes = qint64(64) << 20;

// Windows-1252, the encoding of old pages and map files that are not UTF-8:
// one character per byte; the five bytes the code page leaves open stand
// for the control characters of the same code.
QString decodeWindows1252(QByteArrayView bytes);

// A piece of UTF-8 text from inside a file (an attribute value, a JSON
// string, bytes decoded from a URL): a U+FEFF at its start is part of the
// text, not a byte-order mark to drop as QString::fromUtf8 drops it.
// Invalid sequences become U+FFFD.
QString utf8Piece(QByteArrayView bytes);

// A page as the editor reads it: by its byte-order mark (UTF-8, UTF-16 LE
// or BE); else as UTF-8 when the bytes are valid UTF-8, whatever the page
// declares, so that what the editor wrote reads back as written; else by a
// charset declared in a meta element within the first 1024 bytes, found by
// the scan browsers make; else as Windows-1252. A declared ISO-8859-1 or
// ASCII is read as Windows-1252, as browsers do, and so is a declared UTF-8
// or UTF-16 on bytes that are not UTF-8.
QString decodeHtmlBytes(QByteArrayView bytes);

// A map file: by its byte-order mark, else as UTF-8 when valid, else as
// Windows-1252.
QString decodeMapFileBytes(QByteArrayView bytes);

// Calls visit(QStringView line) for every line of the text, without its
// line break, until visit returns false; CR LF, LF and CR each end a line.
// Text after the last break is a line of its own.
template <typename Visit> void forEachLine(QStringView text, Visit &&visit)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        if (!visit(text.sliced(start, i - start)))
            return;
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        visit(text.sliced(start));
}

// The text with every line ended by CR LF, as the readers take in a file.
QString withCrLfLineEnds(const QString &text);

// The text of a file as the readers use it, or why there is none.
struct FileText {
    enum Problem { None, Unreadable, TooLarge };
    QString text;
    Problem problem = None;
};

enum class FileKind { Html, MapFile };

// Reads and decodes a file and ends each of its lines with CR LF.
FileText readMapInputFile(const QString &path, FileKind kind);
