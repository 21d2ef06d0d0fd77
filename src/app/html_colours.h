// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <QTextCharFormat>

#include <vector>

// The colours of the map text in the code pane: tags, attribute names,
// attribute values and comments; text outside tags keeps the default look.
// A comment, a tag or a quoted value may run on over several lines, so each
// line is coloured from the state the line before it ended in.
enum class HtmlRole : quint8 { Tag, AttributeName, AttributeValue, Comment };
enum class HtmlLineState : quint8 { InText, InComment, InTag, InDoubleQuoted, InSingleQuoted };

struct HtmlSpan {
    int start = 0;
    int length = 0;
    HtmlRole role = HtmlRole::Tag;
};

// Colours one line, given without its line break, that starts in state
// `atStart`; returns the state at its end. The spans are replaced; without
// them only the state is worked out.
HtmlLineState colourHtmlLine(QStringView line, HtmlLineState atStart, std::vector<HtmlSpan> *spans = nullptr);

// How the code pane shows text of a role.
const QTextCharFormat &htmlRoleFormat(HtmlRole role);
