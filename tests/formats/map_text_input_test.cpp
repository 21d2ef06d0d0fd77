// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/map_text_input.h"
#include "support/file_folder.h"
#include "support/printers.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(const char *text)
{
    return QByteArray(text);
}

} // namespace

TEST(TextInput, PagesAreDecodedAsBrowsersDo)
{
    const QString cafe = QStringLiteral("<p>Café – ok</p>");
    struct Case {
        const char *name;
        QByteArray page;
        QString expected;
    };
    const Case cases[] = {
        {"UTF-8 without declaration", cafe.toUtf8(), cafe},
        {"not UTF-8: Windows-1252", bytes("<p>Caf\xE9 \x96 ok</p>"), cafe},
        {"UTF-8 byte-order mark", bytes("\xEF\xBB\xBF<p>Caf\xC3\xA9 \xE2\x80\x93 ok</p>"), cafe},
        {"declared windows-1252", bytes("<meta charset=\"windows-1252\"><p>\x80\x9F</p>"),
         QStringLiteral("<meta charset=\"windows-1252\"><p>€Ÿ</p>")},
        {"declared ISO-8859-1 is read as Windows-1252", bytes("<meta charset=iso-8859-1><p>\x80</p>"),
         QStringLiteral("<meta charset=iso-8859-1><p>€</p>")},
        {"declared UTF-16 or UTF-8 but not UTF-8", bytes("<meta charset=utf-16><meta charset=utf-8>\xE9"),
         QStringLiteral("<meta charset=utf-16><meta charset=utf-8>é")},
        {"UTF-8 whatever the declaration", (QStringLiteral("<meta charset=iso-8859-1>") + cafe).toUtf8(),
         QStringLiteral("<meta charset=iso-8859-1>") + cafe},
        {"UTF-16 LE mark", QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(cafe), cafe},
        {"UTF-16 BE mark", QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom)(cafe), cafe},
    };
    for (const Case &c : cases)
        EXPECT_EQ(decodeHtmlBytes(c.page), c.expected) << c.name;

    // What counts as a declaration: a real meta element in the first 1024
    // bytes. KOI8-R reads the byte E1 after each head as "А", Windows-1252 as "á".
    const std::pair<QByteArray, char16_t> heads[] = {
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">", u'А'},
        {"<META HTTP-EQUIV=Content-Type CONTENT='text/html;charset = \"KOI8-R\"'>", u'А'},
        {"<meta/charset=no-such-set><meta charset=koi8-r>", u'А'},
        {"<p>meta tags</p><a href=\"?charset=koi8-r\">", u'á'},
        {"<!-- <meta charset=koi8-r> -->", u'á'},
        {"<a title='<meta charset=koi8-r>'>", u'á'},
        {"<metadata charset=koi8-r>", u'á'},
        {"<meta content='text/html; charset=koi8-r'>", u'á'},
        {QByteArray(1010, ' ') + "<meta charset=koi8-r>", u'á'}, // ends past byte 1024
    };
    for (const auto &[head, letter] : heads)
        EXPECT_EQ(decodeHtmlBytes(head + "\xE1"), QString::fromLatin1(head) + QChar(letter)) << head.constData();

    EXPECT_EQ(decodeWindows1252(bytes("\x81\x8D\x8F\x90\x9D\xFF")),
              QStringLiteral("\u0081\u008D\u008F\u0090\u009D\u00FF"));
    EXPECT_EQ(decodeMapFileBytes(bytes("rect caf\xC3\xA9.html 1,2 3,4")), QStringLiteral("rect café.html 1,2 3,4"));
    EXPECT_EQ(decodeMapFileBytes(bytes("default caf\xE9")), QStringLiteral("default café")); // to the last byte
    EXPECT_EQ(decodeMapFileBytes(bytes("\xEF\xBB\xBF"
                                       "default x")),
              QStringLiteral("default x"));
}

TEST(TextInput, EveryLineEndsInCrLf)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\r\nb", "a\r\nb\r\n"},
        {"a\rb\r\n\r\nc", "a\r\nb\r\n\r\nc\r\n"},
        {"", ""},
        {"\n", "\r\n"},
        {"a\n\rb", "a\r\n\r\nb\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\r\n\nb\r\n", "a\r\n\r\nb\r\n"},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(withCrLfLineEnds(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
}

// Missing, too large and unreadable files are checked through the readers' messages.
TEST(TextInput, FilesAreReadDecodedWithCrLfLineEnds)
{
    FileFolder folder;
    const FileText read =
        readMapInputFile(folder.write(QStringLiteral("page.html"), "<p>Caf\xE9</p>\n"), FileKind::Html);
    EXPECT_EQ(read.problem, FileText::None);
    EXPECT_EQ(read.text, QStringLiteral("<p>Café</p>\r\n"));
}
