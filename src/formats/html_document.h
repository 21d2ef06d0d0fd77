// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <chrono>
#include <optional>
#include <span>
#include <vector>

// An area element as the map reader needs it: the shape and coords values
// as the HTML parser gives them (character references decoded), and its
// start tag serialized for the attribute scanner.
//
// The serialized start tag is "<", the tag name as written, then for each
// attribute in source order a blank, the name as written and, when a value
// is given, "=" and the value exactly as written, quotes included, then ">".
// Line breaks and runs of blanks between attributes become single blanks;
// values keep every character.
struct HtmlArea {
    QString shape;
    QString coords;
    QString startTag;
    friend bool operator==(const HtmlArea &, const HtmlArea &) = default;
};

// A map element: its name and its area elements (all descendants, in
// document order), as a range of HtmlDocument::areas().
struct HtmlMap {
    QString name;
    qsizetype firstArea = 0;
    qsizetype areaCount = 0;
    friend bool operator==(const HtmlMap &, const HtmlMap &) = default;
};

struct HtmlImg {
    QString useMap;
    QString src; // as written, character references decoded
    bool isMap = false;
    friend bool operator==(const HtmlImg &, const HtmlImg &) = default;
};

// The value a browser reads from an attribute written as name="TEXT", the
// way the map writer writes every text: character references decoded, CR
// LF read as LF, and the value ending at a double quote in the text.
QString attributeValueAsRead(const QString &text);

// How a page is given to the general HTML parser. Broken pages can make its
// work grow much faster than their size (text under thousands of open
// elements, a tag with thousands of attributes), and it cannot be stopped
// once started; so by default it runs in a child process whose CPU time and
// memory are limited by the system, and a page that needs more is refused.
// The verdict depends on the page, not on how busy the machine is. Fuzzing
// turns the isolation off to see into the parse.
struct HtmlParseOptions {
    bool isolated = true;
    // Memory the child may take beyond what the editor holds when it starts:
    // with the editor's own copies of the largest page the readers take, a
    // read stays under 1 GB in all.
    qint64 memoryBytes = qint64(384) << 20;
    // CPU time: this much for any page, and a second more for each full
    // bytesPerCpuSecond of it, counted up to the largest file the readers
    // take (5 s in all). A page 30,000 elements deep needs about 2 s.
    std::chrono::seconds cpuTime{3};
    qint64 bytesPerCpuSecond = qint64(32) << 20;
    // Only against a child that sleeps or is stopped: far above any CPU time
    // allowed, so it never decides for a parse that runs.
    std::chrono::milliseconds wallClockLimit{std::chrono::minutes(2)};
};

// The parts of an HTML page that the map readers use, taken from a real
// HTML5 parse: the map and img elements in document order. A page written
// by the editor itself is recognised and read without the general parser,
// with the same result, so undo and redo stay fast for large maps.
class HtmlDocument {
public:
    // Parses a page; no value when the page is refused. The text is let go
    // as soon as it has been turned into UTF-8: a caller that moves it in
    // has its memory back before the parse begins.
    static std::optional<HtmlDocument> parse(QString text, const HtmlParseOptions &options = {});

    // The two ways of reading, separately, so that tests can check that they
    // agree. parseWrittenMap has no value for any text it does not recognise
    // as the editor's own.
    static std::optional<HtmlDocument> parseWithGumbo(const QByteArray &utf8, const HtmlParseOptions &options = {});
    static std::optional<HtmlDocument> parseWrittenMap(const QByteArray &utf8);

    const std::vector<HtmlMap> &maps() const { return m_maps; }
    const std::vector<HtmlImg> &imgs() const { return m_imgs; }
    std::span<const HtmlArea> areasOf(const HtmlMap &map) const
    {
        return std::span(m_areas).subspan(std::size_t(map.firstArea), std::size_t(map.areaCount));
    }

    friend bool operator==(const HtmlDocument &, const HtmlDocument &) = default;

private:
    friend class ElementRecords;
    friend class WrittenMapScanner;

    std::vector<HtmlMap> m_maps;
    std::vector<HtmlArea> m_areas;
    std::vector<HtmlImg> m_imgs;
};
