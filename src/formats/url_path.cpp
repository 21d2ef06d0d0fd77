// SPDX-License-Identifier: GPL-3.0-or-later
#include "url_path.h"
#include "map_text_input.h"

#include "model/map_document.h"

#include <QStringList>

#include <optional>

namespace {

constexpr qsizetype WindowsPathBuffer = 260; // characters, NUL included
constexpr qsizetype PosixPathBuffer = 4096;

// Whether the root of a path makes it Windows-style (a drive letter, or two
// backslashes) or POSIX-style (a leading "/", whatever follows: a backslash
// is an ordinary character in a POSIX name); nothing for a path without one.
std::optional<bool> windowsByRoot(const QString &path)
{
    if (hasDriveLetter(path) || path.startsWith(QLatin1String("\\\\")))
        return true;
    if (path.startsWith(QLatin1Char('/')))
        return false;
    return std::nullopt;
}

// Whether one path, or two taken together, are Windows-style: the first
// root decides. Paths without a root are Windows-style when written with
// backslashes, like the relative paths made from Windows paths.
bool isWindowsStyle(const QString &path, const QString &other = QString())
{
    if (const std::optional<bool> windows = windowsByRoot(path))
        return *windows;
    if (const std::optional<bool> windows = windowsByRoot(other))
        return *windows;
    return path.contains(QLatin1Char('\\')) || other.contains(QLatin1Char('\\'));
}

bool isSeparator(QChar c, bool windows)
{
    return c == QLatin1Char('/') || (windows && c == QLatin1Char('\\'));
}

qsizetype lastSeparator(const QString &path)
{
    const bool windows = isWindowsStyle(path);
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i], windows))
            return i;
    return -1;
}

// A path taken apart: its root ("" for a relative path) and its names.
struct SplitPath {
    QString root;
    QStringList names;
};

SplitPath splitPath(const QString &path, bool windows)
{
    SplitPath split;
    qsizetype pos = 0;
    if (windows && hasDriveLetter(path)) {
        split.root = path.left(2).toUpper();
        pos = 2;
    } else if (windows && path.size() >= 2 && isSeparator(path[0], true) && isSeparator(path[1], true)) {
        // A UNC share: \\server\share is the root.
        qsizetype end = 2;
        for (int part = 0; part < 2; ++part) {
            while (end < path.size() && !isSeparator(path[end], true))
                ++end;
            if (part == 0 && end < path.size())
                ++end;
        }
        split.root = path.left(end);
        split.root.replace(QLatin1Char('/'), QLatin1Char('\\'));
        pos = end;
    } else if (!path.isEmpty() && isSeparator(path[0], windows)) {
        split.root = QStringLiteral("/");
        pos = 1;
    }
    // "." and ".." steps are taken as a browser takes them in a URL, so that
    // a picture path read from a page ("C:\web\./img/a.gif") gives the same
    // reference as its plain form.
    QString name;
    for (; pos <= path.size(); ++pos) {
        if (pos == path.size() || isSeparator(path[pos], windows)) {
            const bool up = name == QLatin1String("..");
            if (up && !split.names.isEmpty() && split.names.last() != QLatin1String(".."))
                split.names.removeLast();
            else if (up ? split.root.isEmpty() : !name.isEmpty() && name != QLatin1String("."))
                split.names.append(name); // a ".." above the root is dropped
            name.clear();
        } else {
            name.append(path[pos]);
        }
    }
    return split;
}

// Characters left as they are in a file URL path: letters, digits and the
// punctuation that URLs allow unescaped. Non-ASCII letters stay readable.
bool keepsInUrl(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0x80)
        return true;
    if (u <= 0x20 || u == 0x7f)
        return false;
    // "+" too: the readers decode it as a blank; and the backslash, which
    // browsers take for "/".
    static constexpr char16_t escaped[] = u"\"#%+<>?[\\]^`{|}";
    for (char16_t e : escaped)
        if (u == e)
            return false;
    return true;
}

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Length of the well-formed UTF-8 sequence starting at bytes[i], or 0.
int utf8SequenceLength(const QByteArray &bytes, qsizetype i)
{
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t min = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// Decoded escape bytes: well-formed UTF-8 sequences as their characters,
// every other byte as the character with its code.
void appendDecodedBytes(QString &out, const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size();) {
        if (const int length = utf8SequenceLength(bytes, i)) {
            out += utf8Piece(QByteArrayView(bytes.constData() + i, length));
            i += length;
        } else {
            out += QChar(static_cast<unsigned char>(bytes[i]));
            ++i;
        }
    }
}

} // namespace

bool hasDriveLetter(const QString &path)
{
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter() && path[0].unicode() < 128;
}

QString cut_at_nul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString getDir(const QString &path)
{
    return path.left(lastSeparator(path) + 1);
}

QString file_name_of_path(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

namespace {

QString relativePath(const QString &from, const QString &to, bool fromIsFile, bool windows)
{
    if (from.isEmpty() || to.isEmpty())
        return {};
    const Qt::CaseSensitivity cs = windows ? Qt::CaseInsensitive : Qt::CaseSensitive;
    SplitPath source = splitPath(from, windows);
    SplitPath target = splitPath(to, windows);
    if (source.root.compare(target.root, cs) != 0 || target.names.isEmpty())
        return {};
    if (fromIsFile && !source.names.isEmpty())
        source.names.removeLast();
    const QString fileName = target.names.takeLast();

    qsizetype common = 0;
    while (common < source.names.size() && common < target.names.size()
           && source.names[common].compare(target.names[common], cs) == 0)
        ++common;
    // Two relative paths are related only through a folder they share.
    if (source.root.isEmpty() && common == 0)
        return {};

    const QString sep = windows ? QStringLiteral("\\") : QStringLiteral("/");
    QStringList parts;
    const qsizetype climb = source.names.size() - common;
    if (climb == 0)
        parts.append(QStringLiteral("."));
    for (qsizetype i = 0; i < climb; ++i)
        parts.append(QStringLiteral(".."));
    parts += target.names.mid(common);
    parts.append(fileName);
    const QString result = parts.join(sep);
    if (result.size() >= (windows ? WindowsPathBuffer : PosixPathBuffer))
        return {};
    return cut_at_nul(result);
}

QString fileUrl(const QString &path, bool windows)
{
    QString converted = path;
    if (windows)
        converted.replace(QLatin1Char('\\'), QLatin1Char('/'));

    QString url = QStringLiteral("file:");
    if (windows && hasDriveLetter(converted))
        url += QStringLiteral("///");
    else if (!windows && converted.startsWith(QLatin1Char('/')))
        url += QStringLiteral("//");
    for (const QChar c : converted) {
        if (keepsInUrl(c))
            url += c;
        else
            url += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    }
    if (url.size() >= (windows ? WindowsPathBuffer : PosixPathBuffer))
        return {};
    return cut_at_nul(url);
}

QString urlPathPart(const QString &path, bool windows)
{
    return fileUrl(path, windows).mid(5);
}

} // namespace

QString relative_path_to(const QString &from, const QString &to, bool fromIsFile)
{
    return relativePath(from, to, fromIsFile, isWindowsStyle(from, to));
}

QString url_from_path(const QString &path)
{
    return fileUrl(path, isWindowsStyle(path));
}

QString url_path_part(const QString &path)
{
    return url_from_path(path).mid(5);
}

// A relative path made from two paths keeps their style when it becomes a
// reference: from POSIX paths, "./x\y.gif" names the file "x\y.gif".
QString image_src_from(const QString &file, const QString &image_file)
{
    QString result;
    if (!file.isEmpty()) {
        const bool windows = isWindowsStyle(file, image_file);
        result = urlPathPart(relativePath(file, image_file, true, windows), windows);
    }
    if (result.isEmpty())
        result = urlPathPart(file_name_of_path(image_file), isWindowsStyle(image_file));
    return result;
}

QString image_src_for_map(const MapDocument &doc)
{
    return image_src_from(doc.map_file, doc.image_file);
}

QString link_for_file(const MapDocument &doc, const QString &path)
{
    const QString base = doc.map_file.isEmpty() ? doc.image_file : doc.map_file;
    QString result;
    if (!base.isEmpty()) {
        const bool windows = isWindowsStyle(base, path);
        result = urlPathPart(relativePath(base, path, true, windows), windows);
    }
    if (result.isEmpty())
        result = url_path_part(path);
    return result;
}

QString URLDecode(const QString &text)
{
    QString out;
    out.reserve(text.size());
    QByteArray escapes; // consecutive %XX bytes, decoded together
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('%')) {
            const QString digits = text.mid(i + 1, 2);
            int value = 0;
            for (const QChar d : digits) {
                if (!isHexDigit(d))
                    break;
                value = value * 16 + QString(d).toInt(nullptr, 16);
            }
            escapes.append(char(value));
            i += digits.size();
            continue;
        }
        appendDecodedBytes(out, escapes);
        escapes.clear();
        out += c == QLatin1Char('+') ? QChar(QLatin1Char(' ')) : c;
    }
    appendDecodedBytes(out, escapes);
    return out;
}
