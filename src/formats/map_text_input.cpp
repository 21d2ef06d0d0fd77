// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_text_input.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Bytes 0x80..0x9F; the rest of Windows-1252 equals ISO-8859-1.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<QString> decodeIfUtf8(QByteArrayView bytes)
{
    // Stateless: a sequence cut off at the end is an error, not held back.
    QStringDecoder utf8(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeByByteOrderMark(QByteArrayView bytes)
{
    struct Mark {
        QByteArrayView bytes;
        QStringConverter::Encoding encoding;
    };
    static constexpr Mark marks[] = {
        {"\xEF\xBB\xBF", QStringConverter::Utf8},
        {"\xFF\xFE", QStringConverter::Utf16LE},
        {"\xFE\xFF", QStringConverter::Utf16BE},
    };
    for (const Mark &mark : marks) {
        if (bytes.startsWith(mark.bytes)) {
            QStringDecoder decoder(mark.encoding, QStringDecoder::Flag::Stateless);
            return QString(decoder.decode(bytes.sliced(mark.bytes.size())));
        }
    }
    return std::nullopt;
}

bool isHtmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The charset a declared name stands for, when the program can decode it.
std::optional<QByteArray> knownCharset(QByteArrayView name)
{
    const QByteArray trimmed = name.trimmed().toByteArray();
    if (trimmed.isEmpty() || !QStringDecoder(trimmed.constData()).isValid())
        return std::nullopt;
    return trimmed;
}

// The charset named after "charset=" in a content attribute such as
// "text/html; charset=iso-8859-1" (lower-cased already).
std::optional<QByteArray> charsetInContent(QByteArrayView content)
{
    constexpr QByteArrayView Keyword = "charset";
    qsizetype pos = 0;
    for (;;) {
        const qsizetype found = content.indexOf(Keyword, pos);
        if (found < 0)
            return std::nullopt;
        pos = found + Keyword.size();
        while (pos < content.size() && isHtmlSpace(content[pos]))
            ++pos;
        if (pos < content.size() && content[pos] == '=')
            break;
    }
    for (++pos; pos < content.size() && isHtmlSpace(content[pos]);)
        ++pos;
    if (pos == content.size())
        return std::nullopt;
    const char quote = content[pos];
    if (quote == '"' || quote == '\'') {
        const qsizetype end = content.indexOf(quote, pos + 1);
        if (end < 0)
            return std::nullopt;
        return knownCharset(content.sliced(pos + 1, end - pos - 1));
    }
    qsizetype end = pos;
    while (end < content.size() && !isHtmlSpace(content[end]) && content[end] != ';')
        ++end;
    return knownCharset(content.sliced(pos, end - pos));
}

// The scan browsers make of the first bytes of a page for a charset
// declared in a meta element. It walks the tags as a tokenizer would, so
// that comments, other tags and the values of their attributes are passed
// over and only a real meta element declares anything. A tag cut off at
// the end of the bytes counts for nothing.
class MetaCharsetScan {
public:
    explicit MetaCharsetScan(QByteArrayView bytes) : m_bytes(bytes.first(qMin<qsizetype>(bytes.size(), Reach))) {}

    // The first declared charset the program can decode.
    std::optional<QByteArray> charset()
    {
        for (m_pos = 0; m_pos < m_bytes.size(); ++m_pos) {
            if (at("<!--")) {
                // "<!-->" is a whole comment: its dashes count for the end.
                skipPast("-->", m_pos + 2);
            } else if (atMetaTag()) {
                m_pos += MetaTag.size() + 1;
                if (std::optional<QByteArray> declared = metaElement())
                    return declared;
            } else if (at("<") && (letterAt(m_pos + 1) || (at("</") && letterAt(m_pos + 2)))) {
                while (m_pos < m_bytes.size() && !isHtmlSpace(m_bytes[m_pos]) && m_bytes[m_pos] != '>')
                    ++m_pos;
                while (nextAttribute()) {
                }
            } else if (at("<!") || at("</") || at("<?")) {
                skipPast(">", m_pos + 2);
            }
        }
        return std::nullopt;
    }

private:
    // Browsers look no further.
    static constexpr qsizetype Reach = 1024;
    static constexpr QByteArrayView MetaTag = "<meta";

    struct Attribute {
        QByteArray name;
        QByteArray value;
    };

    bool at(QByteArrayView text) const { return m_bytes.sliced(m_pos).startsWith(text); }
    bool letterAt(qsizetype i) const { return i < m_bytes.size() && isAsciiLetter(m_bytes[i]); }
    bool spaceAt(qsizetype i) const { return i < m_bytes.size() && isHtmlSpace(m_bytes[i]); }
    bool slashAt(qsizetype i) const { return i < m_bytes.size() && m_bytes[i] == '/'; }
    // "<meta" in any case, then a blank or "/": not "<metadata".
    bool atMetaTag() const
    {
        const qsizetype after = m_pos + MetaTag.size();
        return after < m_bytes.size()
               && m_bytes.sliced(m_pos, MetaTag.size()).compare(MetaTag, Qt::CaseInsensitive) == 0
               && (spaceAt(after) || slashAt(after));
    }

    // Leaves the scan on the last byte of the first `end` from `from`, or
    // past the bytes.
    void skipPast(QByteArrayView end, qsizetype from)
    {
        const qsizetype found = m_bytes.indexOf(end, from);
        m_pos = found < 0 ? m_bytes.size() : found + end.size() - 1;
    }

    // The attribute at the scan position, lower-cased; nothing at the end
    // of the tag or of the bytes.
    std::optional<Attribute> nextAttribute()
    {
        while (spaceAt(m_pos) || slashAt(m_pos))
            ++m_pos;
        if (m_pos >= m_bytes.size() || m_bytes[m_pos] == '>')
            return std::nullopt;
        Attribute attribute;
        for (; m_pos < m_bytes.size(); ++m_pos) {
            const char c = m_bytes[m_pos];
            if (c == '=' && !attribute.name.isEmpty())
                break;
            if (isHtmlSpace(c)) {
                while (spaceAt(m_pos))
                    ++m_pos;
                if (m_pos < m_bytes.size() && m_bytes[m_pos] != '=')
                    return lowerCased(std::move(attribute));
                break;
            }
            if (c == '/' || c == '>')
                return lowerCased(std::move(attribute));
            attribute.name += c;
        }
        if (m_pos >= m_bytes.size())
            return std::nullopt;
        for (++m_pos; spaceAt(m_pos);)
            ++m_pos;
        if (m_pos >= m_bytes.size())
            return std::nullopt;
        const char quote = m_bytes[m_pos];
        if (quote == '"' || quote == '\'') {
            const qsizetype end = m_bytes.indexOf(quote, m_pos + 1);
            if (end < 0) {
                m_pos = m_bytes.size();
                return std::nullopt;
            }
            attribute.value = m_bytes.sliced(m_pos + 1, end - m_pos - 1).toByteArray();
            m_pos = end + 1;
            return lowerCased(std::move(attribute));
        }
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && !isHtmlSpace(m_bytes[m_pos]) && m_bytes[m_pos] != '>')
            ++m_pos;
        if (m_pos >= m_bytes.size())
            return std::nullopt;
        attribute.value = m_bytes.sliced(start, m_pos - start).toByteArray();
        return lowerCased(std::move(attribute));
    }

    static Attribute lowerCased(Attribute attribute) { return {attribute.name.toLower(), attribute.value.toLower()}; }

    // The charset the meta element at the scan position declares, if any:
    // by its charset attribute, or by a content attribute naming a charset
    // beside http-equiv="content-type". Only the first of attributes with
    // the same name counts.
    std::optional<QByteArray> metaElement()
    {
        QList<QByteArray> seen;
        bool contentType = false;
        bool needsContentType = false;
        bool named = false; // a charset attribute, or a content naming a charset
        std::optional<QByteArray> charset;
        while (const std::optional<Attribute> attribute = nextAttribute()) {
            if (seen.contains(attribute->name))
                continue;
            seen.append(attribute->name);
            if (attribute->name == "http-equiv") {
                contentType = attribute->value == "content-type";
            } else if (attribute->name == "content" && !named) {
                if (std::optional<QByteArray> inContent = charsetInContent(attribute->value)) {
                    charset = std::move(inContent);
                    named = needsContentType = true;
                }
            } else if (attribute->name == "charset") {
                charset = knownCharset(attribute->value);
                named = true;
                needsContentType = false;
            }
        }
        if (m_pos >= m_bytes.size() || (needsContentType && !contentType))
            return std::nullopt;
        return charset;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// Whether a declared charset means Windows-1252 to a browser.
bool meansWindows1252(const QByteArray &charset)
{
    static const QByteArrayView names[] = {
        "ansi_x3.4-1968", "ascii",        "cp1252",   "cp819",      "csisolatin1",     "ibm819", "iso-8859-1",
        "iso-ir-100",     "iso8859-1",    "iso88591", "iso_8859-1", "iso_8859-1:1987", "l1",     "latin1",
        "us-ascii",       "windows-1252", "x-cp1252",
    };
    return std::find(std::begin(names), std::end(names), QByteArrayView(charset)) != std::end(names);
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char16_t(byte);
    }
    return text;
}

QString decodeHtmlBytes(QByteArrayView bytes)
{
    if (std::optional<QString> text = decodeByByteOrderMark(bytes))
        return *text;
    if (std::optional<QString> text = decodeIfUtf8(bytes))
        return *text;
    // Not UTF-8, whatever a declaration says: a declared UTF-8 or UTF-16 is
    // taken as a mistake, like no declaration at all.
    if (const std::optional<QByteArray> charset = MetaCharsetScan(bytes).charset()) {
        QStringDecoder declared(charset->constData(), QStringDecoder::Flag::Stateless);
        const QByteArray name = QByteArray(declared.name()).toLower();
        if (!meansWindows1252(*charset) && !meansWindows1252(name) && !name.startsWith("utf-"))
            return declared.decode(bytes);
    }
    return decodeWindows1252(bytes);
}

QString decodeMapFileBytes(QByteArrayView bytes)
{
    if (std::optional<QString> text = decodeByByteOrderMark(bytes))
        return *text;
    if (std::optional<QString> text = decodeIfUtf8(bytes))
        return *text;
    return decodeWindows1252(bytes);
}

namespace {

// Whether every line already ends in CR LF, as in files the editor saved.
bool endsLinesWithCrLf(QStringView text)
{
    if (!text.isEmpty() && !text.endsWith(u"\r\n"))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return false;
        if (c == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return false;
    }
    return true;
}

} // namespace

QString withCrLfLineEnds(const QString &text)
{
    if (endsLinesWithCrLf(text))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 16 + 2);
    forEachLine(text, [&](QStringView line) {
        out += line;
        out += u"\r\n";
        return true;
    });
    return out;
}

FileText readMapInputFile(const QString &path, FileKind kind)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QString(), FileText::Unreadable};
    if (file.size() > MaxMapFileBytes)
        return {QString(), FileText::TooLarge};
    QString text;
    {
        // In pieces, and no further than one byte past the limit: a device
        // may not know its size, or not have one.
        QByteArray bytes;
        for (;;) {
            const qsizetype have = bytes.size();
            const qint64 want = qMin<qint64>(MaxMapFileBytes + 1 - have, qMax<qint64>(file.size() - have + 1, 65536));
            bytes.resize(have + want);
            const qint64 got = file.read(bytes.data() + have, want);
            bytes.resize(have + qMax<qint64>(got, 0));
            if (got < 0)
                return {QString(), FileText::Unreadable};
            if (bytes.size() > MaxMapFileBytes)
                return {QString(), FileText::TooLarge};
            if (got == 0)
                break;
        }
        text = kind == FileKind::Html ? decodeHtmlBytes(bytes) : decodeMapFileBytes(bytes);
    }
    return {withCrLfLineEnds(text), FileText::None};
}

QString utf8Piece(QByteArrayView bytes)
{
    // QString::fromUtf8 is fast but drops a byte-order mark at the start:
    // each one there is put back as the character it is.
    static constexpr QByteArrayView Bom("\xEF\xBB\xBF");
    QString text;
    while (bytes.startsWith(Bom)) {
        text += QChar(0xFEFF);
        bytes = bytes.sliced(Bom.size());
    }
    return text.isEmpty() ? QString::fromUtf8(bytes) : text + QString::fromUtf8(bytes);
}
