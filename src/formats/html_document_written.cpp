// SPDX-License-Identifier: GPL-3.0-or-later
#include "html_document.h"
#include "map_text_input.h"

#include "map_writer.h"

#include <QHashFunctions>

#include <array>
#include <limits>
#include <span>

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
    explicit WrittenMapScanner(QByteArrayView text) : m_text(text), m_names(text) {}

    std::optional<HtmlDocument> scan();

private:
    // An attribute the reader asks for, and its value as written once the
    // tag has been read.
    struct Wanted {
        QByteArrayView name;
        std::optional<QByteArrayView> value = std::nullopt;
    };

    // The names of one tag's attributes, to find a name written twice. The
    // first few are compared one by one; past them every name goes into a
    // hash table of offsets into the text, so a tag with any number of
    // attributes is read in time and memory linear in its length.
    class NameSet {
    public:
        explicit NameSet(QByteArrayView text) : m_text(text) {}
        void clear();
        // False when the name was added before.
        bool add(QByteArrayView name);

    private:
        static constexpr std::size_t Few = 16;
        // A name in the table: where it starts in the text, plus 1 (0 for a
        // free slot), and its hash, so that neither growing the table nor
        // passing other names needs the text again.
        struct Slot {
            quint32 start = 0;
            quint32 hash = 0;
        };
        // Names are runs of lower-case letters.
        QByteArrayView nameAt(quint32 start) const;
        bool addToTable(QByteArrayView name);
        void growTable();

        QByteArrayView m_text;
        std::vector<QByteArrayView> m_few;
        std::vector<Slot> m_table;
        std::size_t m_tableCount = 0;
        std::size_t m_seed = QHashSeed::globalSeed();
    };

    bool atEnd() const { return m_pos >= m_text.size(); }
    bool take(QByteArrayView literal);
    void skipWhiteSpace();
    // Reads a start tag, keeps the values of the wanted attributes and, for
    // an area, its start tag as the general parser serializes it.
    bool readStartTag(QByteArrayView name, std::span<Wanted> wanted, bool serialize = false);
    // The value as the parser hands it over decoded: empty when absent,
    // nothing when decoding could change it.
    static std::optional<QString> decodedValue(const Wanted &attribute);

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    NameSet m_names;
    QByteArray m_tagBuffer; // keeps its capacity from tag to tag
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

void WrittenMapScanner::NameSet::clear()
{
    m_few.clear();
    // A large table goes with its tag, so that later small tags never pay
    // for clearing it.
    if (!m_table.empty())
        std::vector<Slot>().swap(m_table);
    m_tableCount = 0;
}

QByteArrayView WrittenMapScanner::NameSet::nameAt(quint32 start) const
{
    const qsizetype first = qsizetype(start) - 1;
    qsizetype end = first;
    while (end < m_text.size() && isLowerLetter(m_text[end]))
        ++end;
    return m_text.sliced(first, end - first);
}

bool WrittenMapScanner::NameSet::add(QByteArrayView name)
{
    if (m_table.empty()) {
        for (const QByteArrayView seen : m_few)
            if (seen == name)
                return false;
        m_few.push_back(name);
        if (m_few.size() <= Few)
            return true;
        for (const QByteArrayView seen : m_few)
            addToTable(seen);
        m_few.clear();
        return true;
    }
    return addToTable(name);
}

bool WrittenMapScanner::NameSet::addToTable(QByteArrayView name)
{
    if (2 * (m_tableCount + 1) > m_table.size())
        growTable();
    const Slot slot{quint32(name.data() - m_text.data() + 1), quint32(qHash(name, m_seed))};
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t i = slot.hash & mask;; i = (i + 1) & mask) {
        Slot &here = m_table[i];
        if (here.start == 0) {
            here = slot;
            ++m_tableCount;
            return true;
        }
        if (here.hash == slot.hash && nameAt(here.start) == name)
            return false;
    }
}

void WrittenMapScanner::NameSet::growTable()
{
    std::vector<Slot> old(std::max<std::size_t>(64, 2 * m_table.size()));
    old.swap(m_table);
    const std::size_t mask = m_table.size() - 1;
    for (const Slot &slot : old) {
        if (slot.start == 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_table[i].start != 0)
            i = (i + 1) & mask;
        m_table[i] = slot;
    }
}

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

bool WrittenMapScanner::readStartTag(QByteArrayView name, std::span<Wanted> wanted, bool serialize)
{
    if (!take("<") || !take(name))
        return false;
    m_names.clear();
    for (Wanted &attribute : wanted)
        attribute.value.reset();
    m_tagBuffer.resize(0);
    m_tagBuffer += '<';
    m_tagBuffer += name;
    for (;;) {
        const qsizetype blanks = m_pos;
        while (!atEnd() && m_text[m_pos] == ' ')
            ++m_pos;
        if (take(">")) {
            m_tagBuffer += '>';
            return true;
        }
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
        if (!m_names.add(attributeName))
            return false;
        for (Wanted &attribute : wanted)
            if (attribute.name == attributeName)
                attribute.value = value;
        if (serialize) {
            m_tagBuffer += ' ';
            m_tagBuffer += attributeName;
            m_tagBuffer += "=\"";
            m_tagBuffer += value;
            m_tagBuffer += '"';
        }
        m_pos = valueEnd + 1;
    }
}

std::optional<QString> WrittenMapScanner::decodedValue(const Wanted &attribute)
{
    if (!attribute.value)
        return QString();
    if (attribute.value->contains('&'))
        return std::nullopt;
    QString value = utf8Piece(*attribute.value);
    for (qsizetype i = 0; i < value.size(); ++i) {
        char32_t c = value[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < value.size())
            c = QChar::surrogateToUcs4(char16_t(c), value[++i].unicode());
        if (parserReplaces(c))
            return std::nullopt;
    }
    return value;
}

std::optional<HtmlDocument> WrittenMapScanner::scan()
{
    // Names are kept as 32-bit offsets.
    if (m_text.size() >= qsizetype(std::numeric_limits<quint32>::max()))
        return std::nullopt;
    HtmlDocument doc;
    take(clientMapComment().toUtf8());
    skipWhiteSpace();

    std::array<Wanted, 3> img{{{"usemap"}, {"src"}, {"ismap"}}};
    if (!readStartTag("img", img))
        return std::nullopt;
    const std::optional<QString> useMap = decodedValue(img[0]);
    const std::optional<QString> src = decodedValue(img[1]);
    if (!useMap || !src)
        return std::nullopt;
    doc.m_imgs.push_back({*useMap, *src, img[2].value.has_value()});
    skipWhiteSpace();

    std::array<Wanted, 1> map{{{"name"}}};
    if (!readStartTag("map", map))
        return std::nullopt;
    const std::optional<QString> name = decodedValue(map[0]);
    if (!name)
        return std::nullopt;
    std::array<Wanted, 2> area{{{"shape"}, {"coords"}}};
    for (;;) {
        skipWhiteSpace();
        if (take("</map>"))
            break;
        if (!readStartTag("area", area, true))
            return std::nullopt;
        const std::optional<QString> shape = decodedValue(area[0]);
        const std::optional<QString> coords = decodedValue(area[1]);
        if (!shape || !coords)
            return std::nullopt;
        doc.m_areas.push_back({*shape, *coords, utf8Piece(m_tagBuffer)});
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
