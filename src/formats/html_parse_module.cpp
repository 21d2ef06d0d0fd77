// SPDX-License-Identifier: GPL-3.0-or-later
#include "html_parse_module.h"

namespace {

constexpr char16_t Blank = u' ';

// Finds the first character at or after a position that satisfies a test.
// The positions asked for only grow, so an answer that still lies ahead is
// given again without looking: every character is looked at once, and a tag
// full of "=" and unclosed quotes stays linear.
class ForwardSearch {
public:
    using Test = bool (*)(char16_t);
    ForwardSearch(QStringView text, Test test) : m_text(text), m_test(test) {}

    // The index found, or the text's size when there is none.
    qsizetype from(qsizetype start)
    {
        if (start <= m_found)
            return m_found;
        m_found = start;
        while (m_found < m_text.size() && !m_test(m_text[m_found].unicode()))
            ++m_found;
        return m_found;
    }

private:
    QStringView m_text;
    Test m_test;
    qsizetype m_found = -1;
};

// Compares an attribute name with a wanted name that is already lower-case,
// as if both were lower-cased. ASCII names, the usual case, need no copy.
bool sameLowered(QStringView name, const QString &wantedLower)
{
    // Lower-casing keeps at least one code unit per code point, so a name
    // more than twice as long as the wanted one cannot match.
    if (name.size() > 2 * wantedLower.size())
        return false;
    for (const QChar c : name)
        if (c.unicode() >= 0x80)
            return name.toString().toLower() == wantedLower;
    if (name.size() != wantedLower.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char16_t c = name[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + (u'a' - u'A'));
        if (c != wantedLower[i].unicode())
            return false;
    }
    return true;
}

} // namespace

void html_parse_module::parse_tag_attributes(qint32 position, const QString &text)
{
    m_tagText.clear();
    m_pairs.clear();
    // Position 0 asks for nothing; a negative one has no "<" in front of it.
    if (position <= 0 || text.isEmpty())
        return;
    const qsizetype at = qsizetype(position) - 1;
    const qsizetype tagStart = text.lastIndexOf(u'<', qMin(at, text.size() - 1));
    if (tagStart < 0)
        return;
    const qsizetype nextTag = at + 1 < text.size() ? text.indexOf(u'<', at + 1) : -1;
    const qsizetype tagEnd = at < text.size() ? text.indexOf(u'>', at) : -1;

    // The tag text stops where a new tag opens before this one is closed,
    // else at the first ">", else at the end of the text.
    qsizetype last = text.size() - 1;
    if (nextTag >= 0 && (tagEnd < 0 || nextTag < tagEnd))
        last = nextTag;
    else if (tagEnd >= 0)
        last = tagEnd;
    m_tagText = text.mid(tagStart, last - tagStart + 1);
    scanPairs();
}

void html_parse_module::scanPairs()
{
    const QStringView tag(m_tagText);
    const qsizetype last = tag.size() - 1;
    ForwardSearch doubleQuote(tag, [](char16_t c) { return c == u'"'; });
    ForwardSearch singleQuote(tag, [](char16_t c) { return c == u'\''; });
    ForwardSearch bareValueEnd(tag, [](char16_t c) { return c == Blank || c == u'>' || c == u'<'; });

    // The run of non-blank characters nearest to the left of the current
    // "=", followed as the scan moves right.
    qsizetype seen = 0;
    qsizetype runStart = 0;
    qsizetype nameStart = 0;
    qsizetype nameEnd = 0;
    for (qsizetype equals = tag.indexOf(u'='); equals >= 0; equals = tag.indexOf(u'=', equals + 1)) {
        for (; seen < equals; ++seen) {
            if (tag[seen] == Blank)
                continue;
            if (seen == 0 || tag[seen - 1] == Blank)
                runStart = seen;
            nameStart = runStart;
            nameEnd = seen;
        }
        // A name that runs back to the tag's first character has no blank
        // in front of it: the scan ends here.
        if (nameStart == 0)
            return;

        qsizetype valueStart = equals + 1;
        while (valueStart < last && tag[valueStart] == Blank)
            ++valueStart;
        qsizetype valueEnd = valueStart;
        if (valueStart <= last) {
            const char16_t first = tag[valueStart].unicode();
            if (first == u'"' || first == u'\'') {
                // Up to the next quote of the same kind, or to the end of the
                // tag text, its ">" included, when the quote is not closed.
                valueEnd = (first == u'"' ? doubleQuote : singleQuote).from(valueStart + 1);
                ++valueStart;
            } else {
                // The first character is taken whatever it is.
                valueEnd = bareValueEnd.from(valueStart + 1);
            }
        }
        m_pairs.push_back({nameStart, nameEnd - nameStart + 1, valueStart, valueEnd - valueStart});
    }
}

QString html_parse_module::get_attribute_value(const QString &name) const
{
    if (m_pairs.empty())
        return {};
    const QString wanted = name.toLower();
    for (const Pair &pair : m_pairs)
        if (sameLowered(nameView(pair), wanted))
            return valueView(pair).toString();
    return {};
}

QString html_parse_module::nameAt(qsizetype index) const
{
    return nameView(m_pairs[std::size_t(index)]).toString();
}

QString html_parse_module::valueAt(qsizetype index) const
{
    return valueView(m_pairs[std::size_t(index)]).toString();
}
