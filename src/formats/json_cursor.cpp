// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_cursor.h"
#include "map_text_input.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// As deep as Qt's JSON parser goes.
constexpr int MaxDepth = 1024;

bool isJsonSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

JsonCursor::JsonCursor(QByteArrayView json) : m_json(json)
{
    if (m_json.startsWith("\xef\xbb\xbf"))
        m_pos = 3;
}

bool JsonCursor::fail(QJsonParseError::ParseError error)
{
    if (!failed()) {
        m_error = error;
        m_errorAt = m_pos;
    }
    return false;
}

char JsonCursor::peek()
{
    while (m_pos < m_json.size() && isJsonSpace(m_json[m_pos]))
        ++m_pos;
    return m_pos < m_json.size() ? m_json[m_pos] : '\0';
}

bool JsonCursor::atEnd()
{
    peek();
    return m_pos == m_json.size();
}

bool JsonCursor::enter(char bracket)
{
    if (peek() != bracket)
        return fail(QJsonParseError::IllegalValue);
    if (++m_depth > MaxDepth)
        return fail(QJsonParseError::DeepNesting);
    ++m_pos;
    return true;
}

bool JsonCursor::leave()
{
    --m_depth;
    ++m_pos;
    return true;
}

bool JsonCursor::readScalar(JsonScalar &out)
{
    const char c = peek();
    if (c == '{' || c == '[') {
        out.kind = JsonScalar::Other;
        return skipValue();
    }
    if (c == '"') {
        out.kind = JsonScalar::Text;
        return readString(out.text);
    }
    if (c == '-' || c == '.' || (c >= '0' && c <= '9')) {
        out.kind = JsonScalar::Number;
        return readNumber(out.number);
    }
    for (const auto &[word, kind] : {std::pair{"null", JsonScalar::Null}, std::pair{"true", JsonScalar::Other},
                                     std::pair{"false", JsonScalar::Other}}) {
        if (m_json.sliced(m_pos).startsWith(word)) {
            m_pos += qsizetype(std::strlen(word));
            out.kind = kind;
            return true;
        }
    }
    return fail(QJsonParseError::IllegalValue);
}

bool JsonCursor::skipValue()
{
    const char c = peek();
    if (c == '{')
        return readObject([this](const QString &) { return skipValue(); });
    if (c == '[')
        return readArray([this](qsizetype) { return skipValue(); });
    JsonScalar ignored;
    return readScalar(ignored);
}

bool JsonCursor::readString(QString &out)
{
    const qsizetype start = ++m_pos;
    bool escaped = false;
    while (m_pos < m_json.size() && m_json[m_pos] != '"') {
        if (m_json[m_pos] == '\\') {
            escaped = true;
            ++m_pos;
        }
        ++m_pos;
    }
    if (m_pos >= m_json.size())
        return fail(QJsonParseError::UnterminatedString);
    const QByteArrayView raw = m_json.sliced(start, m_pos - start);
    ++m_pos;
    out.clear();
    if (!escaped)
        return appendUtf8(out, raw, start);
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        const qsizetype backslash = raw.indexOf('\\', i);
        if (!appendUtf8(out, raw.sliced(i, (backslash < 0 ? raw.size() : backslash) - i), start + i))
            return false;
        if (backslash < 0)
            break;
        const char kind = raw[backslash + 1];
        i = backslash + 2;
        switch (kind) {
        case 'b':
            out += u'\b';
            break;
        case 'f':
            out += u'\f';
            break;
        case 'n':
            out += u'\n';
            break;
        case 'r':
            out += u'\r';
            break;
        case 't':
            out += u'\t';
            break;
        case 'u': {
            unsigned unit = 0;
            const char *digits = raw.data() + i;
            const auto [end, error] = std::from_chars(digits, raw.data() + std::min(i + 4, raw.size()), unit, 16);
            if (error != std::errc() || end != digits + 4) {
                m_pos = start + i;
                return fail(QJsonParseError::IllegalEscapeSequence);
            }
            // A lone surrogate is kept, as Qt keeps it.
            out += QChar(char16_t(unit));
            i += 4;
            break;
        }
        default: // ", \, / and any other byte stand for themselves
            out += QChar(uchar(kind));
        }
    }
    return true;
}

// Text between escapes, which must be UTF-8.
bool JsonCursor::appendUtf8(QString &out, QByteArrayView run, qsizetype at)
{
    if (!run.isValidUtf8()) {
        m_pos = at;
        return fail(QJsonParseError::IllegalUTF8String);
    }
    out += utf8Piece(run);
    return true;
}

bool JsonCursor::readNumber(double &out)
{
    const qsizetype start = m_pos;
    while (m_pos < m_json.size() && QByteArrayView("0123456789+-.eE").contains(m_json[m_pos]))
        ++m_pos;
    const bool minus = m_json[start] == '-';
    const qsizetype digits = start + (minus ? 1 : 0);
    // A leading zero is a number of its own; what follows it is not.
    if (digits + 1 < m_pos && m_json[digits] == '0' && m_json[digits + 1] >= '0' && m_json[digits + 1] <= '9')
        m_pos = digits + 1;
    const char *first = m_json.data() + digits;
    const char *last = m_json.data() + m_pos;
    if (first == last || *first == '-')
        return fail(QJsonParseError::IllegalNumber);
    const auto [end, error] = std::from_chars(first, last, out);
    if (error != std::errc() || end != last || !std::isfinite(out))
        return fail(QJsonParseError::IllegalNumber);
    if (minus)
        out = -out;
    return true;
}
