#include "html_document.h"

#include "map_writer.h"

// Recognises map text in exactly the form the editor writes it: the head
// comment, one img, one map and its areas, every attribute lower-case and
// double-quoted, one or more blanks between attributes, white space between
// tags. For such text an HTML5 parser builds the plain tree the text spells
// out, so the elements can be read off in order. Anything else, and any value
// the parser would change (character references, NUL, CR, control
// characters), makes the scanner give up, and the page goes to the general
// parser.
class WrittenMapScanner {
public:
    explicit WrittenMapScanner(QByteArrayView text) : m_text(text) {}

    std::optional<HtmlDocument> scan();

private:
    struct Attribute {
        QByteArrayView name;
        QByteArrayView value;
    };

    bool atEnd() const { return m_pos >= m_text.size(); }
    bool take(QByteArrayView literal);
    void skipWhiteSpace();
    bool readStartTag(QByteArrayView name);
    // The value of an attribute that the parser hands over decoded; empty
    // when absent, nothing when decoding could change it.
    std::optional<QString> decodedValue(QByteArrayView name) const;
    QString serializedStartTag();

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    QByteArrayView m_tagName;
    std::vector<Attribute> m_attributes;
    QByteArray m_tagBuffer;
};

namespace {

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isLowerLetter(char c)
{
    return c >= 'a' && c <= 'z';
}

// The parser hands control characters and noncharacters over as U+FFFD.
bool parserReplaces(char32_t c)
{
    return (c >= 0x01 && c <= 0x08) || c == 0x0B || (c >= 0x0E && c <= 0x1F) || (c >= 0x7F && c <= 0x9F)
           || (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

} // namespace

bool WrittenMapScanner::take(QByteArrayView literal)
{
    if (!m_text.sliced(m_pos).startsWith(literal))
        return false;
    m_pos += literal.size();
    return true;
}

void WrittenMapScanner::skipWhiteSpace()
{
    while (!atEnd() && isWhiteSpace(m_text[m_pos]))
        ++m_pos;
}

bool WrittenMapScanner::readStartTag(QByteArrayView name)
{
    if (!take("<") || !take(name))
        return false;
    m_tagName = name;
    m_attributes.clear();
    for (;;) {
        const qsizetype blanks = m_pos;
        while (!atEnd() && m_text[m_pos] == ' ')
            ++m_pos;
        if (take(">"))
            return true;
        // Every attribute follows a blank; this also ends the tag name.
        if (m_pos == blanks)
            return false;
        const qsizetype nameStart = m_pos;
        while (!atEnd() && isLowerLetter(m_text[m_pos]))
            ++m_pos;
        const QByteArrayView attributeName = m_text.sliced(nameStart, m_pos - nameStart);
        if (attributeName.isEmpty() || !take("=\""))
            return false;
        const qsizetype valueEnd = m_text.indexOf('"', m_pos);
        if (valueEnd < 0)
            return false;
        const QByteArrayView value = m_text.sliced(m_pos, valueEnd - m_pos);
        if (value.contains('\0') || value.contains('\r'))
            return false;
        // A repeated attribute would be dropped by the parser.
        for (const Attribute &seen : m_attributes)
            if (seen.name == attributeName)
                return false;
        m_attributes.push_back({attributeName, value});
        m_pos = valueEnd + 1;
    }
}

std::optional<QString> WrittenMapScanner::decodedValue(QByteArrayView name) const
{
    for (const Attribute &attribute : m_attributes) {
        if (attribute.name != name)
            continue;
        if (attribute.value.contains('&'))
            return std::nullopt;
        QString value = QString::fromUtf8(attribute.value);
        for (qsizetype i = 0; i < value.size(); ++i) {
            char32_t c = value[i].unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < value.size())
                c = QChar::surrogateToUcs4(char16_t(c), value[++i].unicode());
            if (parserReplaces(c))
                return std::nullopt;
        }
        return value;
    }
    return QString();
}

QString WrittenMapScanner::serializedStartTag()
{
    // One buffer for all tags: it keeps its capacity from tag to tag.
    QByteArray &tag = m_tagBuffer;
    tag.resize(0);
    tag += '<';
    tag += m_tagName;
    for (const Attribute &attribute : m_attributes) {
        tag += ' ';
        tag += attribute.name;
        tag += "=\"";
        tag += attribute.value;
        tag += '"';
    }
    tag += '>';
    return QString::fromUtf8(tag);
}

std::optional<HtmlDocument> WrittenMapScanner::scan()
{
    HtmlDocument doc;
    take(clientMapComment().toUtf8());
    skipWhiteSpace();

    if (!readStartTag("img"))
        return std::nullopt;
    const std::optional<QString> useMap = decodedValue("usemap");
    const std::optional<QString> src = decodedValue("src");
    if (!useMap || !src)
        return std::nullopt;
    const bool isMap = std::any_of(m_attributes.begin(), m_attributes.end(),
                                   [](const Attribute &attribute) { return attribute.name == "ismap"; });
    doc.m_imgs.push_back({*useMap, *src, isMap});
    skipWhiteSpace();

    if (!readStartTag("map"))
        return std::nullopt;
    const std::optional<QString> name = decodedValue("name");
    if (!name)
        return std::nullopt;
    for (;;) {
        skipWhiteSpace();
        if (take("</map>"))
            break;
        if (!readStartTag("area"))
            return std::nullopt;
        const std::optional<QString> shape = decodedValue("shape");
        const std::optional<QString> coords = decodedValue("coords");
        if (!shape || !coords)
            return std::nullopt;
        doc.m_areas.push_back({*shape, *coords, serializedStartTag()});
    }
    doc.m_maps.push_back({*name, 0, qsizetype(doc.m_areas.size())});
    skipWhiteSpace();
    if (!atEnd())
        return std::nullopt;
    return doc;
}

std::optional<HtmlDocument> HtmlDocument::parseWrittenMap(const QByteArray &utf8)
{
    return WrittenMapScanner(utf8).scan();
}
