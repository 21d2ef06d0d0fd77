// SPDX-License-Identifier: GPL-3.0-or-later
#include "html_colours.h"

#include <array>

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

QTextCharFormat makeFormat(HtmlRole role)
{
    QTextCharFormat format;
    switch (role) {
    case HtmlRole::Tag:
        format.setForeground(QColor(0x1f, 0x3f, 0x9f));
        format.setFontWeight(QFont::Bold);
        break;
    case HtmlRole::AttributeName:
        format.setForeground(QColor(0x9a, 0x4a, 0x00));
        break;
    case HtmlRole::AttributeValue:
        format.setForeground(QColor(0x0a, 0x7a, 0x2a));
        break;
    case HtmlRole::Comment:
        format.setForeground(QColor(0x70, 0x70, 0x70));
        format.setFontItalic(true);
        break;
    }
    return format;
}

} // namespace

const QTextCharFormat &htmlRoleFormat(HtmlRole role)
{
    static const std::array formats{makeFormat(HtmlRole::Tag), makeFormat(HtmlRole::AttributeName),
                                    makeFormat(HtmlRole::AttributeValue), makeFormat(HtmlRole::Comment)};
    return formats[size_t(role)];
}

HtmlLineState colourHtmlLine(QStringView text, HtmlLineState atStart, std::vector<HtmlSpan> *spans)
{
    using enum HtmlLineState;
    if (spans)
        spans->clear();
    const auto colour = [spans](qsizetype start, qsizetype count, HtmlRole role) {
        if (spans && count > 0)
            spans->push_back({int(start), int(count), role});
    };

    HtmlLineState state = atStart;
    const qsizetype n = text.size();
    qsizetype i = 0;
    // A comment or a quoted value runs on to its closing mark or the line's end.
    const auto runTo = [&](QStringView closing, HtmlRole role, HtmlLineState after) {
        const qsizetype end = text.indexOf(closing, i);
        const qsizetype stop = end < 0 ? n : end + closing.size();
        colour(i, stop - i, role);
        i = stop;
        if (end >= 0)
            state = after;
    };
    while (i < n) {
        switch (state) {
        case InComment:
            runTo(u"-->", HtmlRole::Comment, InText);
            break;
        case InDoubleQuoted:
            runTo(u"\"", HtmlRole::AttributeValue, InTag);
            break;
        case InSingleQuoted:
            runTo(u"'", HtmlRole::AttributeValue, InTag);
            break;
        case InTag: {
            const QChar c = text[i];
            if (c == u'>') {
                colour(i, 1, HtmlRole::Tag);
                state = InText;
                ++i;
            } else if (c == u'/' && i + 1 < n && text[i + 1] == u'>') {
                colour(i, 2, HtmlRole::Tag);
                state = InText;
                i += 2;
            } else if (c == u'"' || c == u'\'') {
                colour(i, 1, HtmlRole::AttributeValue);
                state = c == u'"' ? InDoubleQuoted : InSingleQuoted;
                ++i;
            } else if (isNameChar(c)) {
                qsizetype end = i;
                while (end < n && isNameChar(text[end]))
                    ++end;
                // A bare word after "=" is an unquoted value.
                qsizetype before = i - 1;
                while (before >= 0 && text[before].isSpace())
                    --before;
                const bool isValue = before >= 0 && text[before] == u'=';
                colour(i, end - i, isValue ? HtmlRole::AttributeValue : HtmlRole::AttributeName);
                i = end;
            } else {
                ++i;
            }
            break;
        }
        case InText: {
            const qsizetype open = text.indexOf(u'<', i);
            if (open < 0) {
                i = n;
                break;
            }
            if (text.sliced(open).startsWith(u"<!--")) {
                state = InComment;
                colour(open, 4, HtmlRole::Comment);
                i = open + 4;
                break;
            }
            qsizetype end = open + 1;
            if (end < n && (text[end] == u'/' || text[end] == u'!'))
                ++end;
            const qsizetype nameStart = end;
            while (end < n && isNameChar(text[end]))
                ++end;
            if (end == nameStart) { // a lone "<" is text
                i = open + 1;
                break;
            }
            colour(open, end - open, HtmlRole::Tag);
            state = InTag;
            i = end;
            break;
        }
        }
    }
    return state;
}
