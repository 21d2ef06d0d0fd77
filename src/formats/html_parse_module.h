// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <vector>

// A small scanner for the attributes of one HTML start tag, as text. It is
// not an HTML parser: it knows blanks, "=", both quote characters and the
// tag brackets, nothing else, and keeps names and values exactly as written
// (no case change, no character references decoded). The map reader uses it
// to take href, target, alt and the event handlers verbatim from an area's
// markup.
//
// Its rules, which readers of old maps rely on:
// - the tag text ends at the first ">" at or after the position, even inside
//   a quoted value, or earlier where a new "<" opens;
// - every "=" makes a pair: its name is the run of non-blank characters in
//   front of it, its value the quoted or bare text behind it, so an "=" inside
//   a quoted value yields an extra pair;
// - a look-up takes the first pair whose name matches without regard to case.
//
// One parse at a time: the next parse discards the pairs of the previous one.
// The work is linear in the length of the tag text, whatever it holds.
class html_parse_module {
public:
    // Parses the tag of `text` that holds the 1-based character `position`.
    // Never fails: where the scan cannot go on, the pairs found so far stay.
    void parse_tag_attributes(qint32 position, const QString &text);

    // The value of the first pair named `name` (compared lower-cased), or
    // an empty text.
    QString get_attribute_value(const QString &name) const;

    // The pairs of the last parse, in the order found.
    qsizetype count() const { return qsizetype(m_pairs.size()); }
    QString nameAt(qsizetype index) const;
    QString valueAt(qsizetype index) const;

private:
    struct Pair {
        qsizetype nameStart;
        qsizetype nameLength;
        qsizetype valueStart;
        qsizetype valueLength;
    };

    QStringView nameView(const Pair &pair) const { return QStringView(m_tagText).mid(pair.nameStart, pair.nameLength); }
    QStringView valueView(const Pair &pair) const
    {
        return QStringView(m_tagText).mid(pair.valueStart, pair.valueLength);
    }
    void scanPairs();

    // Pairs point into the tag text, so a tag with many "=" costs no copies.
    QString m_tagText;
    std::vector<Pair> m_pairs;
};
