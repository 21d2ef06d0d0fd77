#include "formats/map_text_input.h"
#include "support/printers.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

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
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    struct Case {
        const char *name;
        QByteArray page;
        QString expected;
    };
    const Case cases[] = {
        {"UTF-8 without declaration", cafe.toUtf8(), cafe},
        {"not UTF-8: Windows-1252", bytes("<p>Caf\xE9 \x96 ok</p>"), cafe},
        {"UTF-16 with byte-order mark", utf16.encode(cafe), cafe},
        {"UTF-8 byte-order mark", bytes("\xEF\xBB\xBF<p>Caf\xC3\xA9 \xE2\x80\x93 ok</p>"), cafe},
        {"declared windows-1252", bytes("<meta charset=\"windows-1252\"><p>\x80\x9F</p>"),
         QStringLiteral("<meta charset=\"windows-1252\"><p>€Ÿ</p>")},
        {"declared ISO-8859-1 is read as Windows-1252", bytes("<meta charset=iso-8859-1><p>\x80</p>"),
         QStringLiteral("<meta charset=iso-8859-1><p>€</p>")},
        {"declared by http-equiv",
         bytes("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">\xE1"),
         QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">А")},
        {"declared UTF-16 without a mark is UTF-8", bytes("<meta charset=utf-16><p>\xC3\xA9</p>"),
         QStringLiteral("<meta charset=utf-16><p>é</p>")},
        {"declared UTF-8 but not valid", bytes("<meta charset=utf-8><p>\xE9</p>"),
         QStringLiteral("<meta charset=utf-8><p>é</p>")},
        {"unknown charset", bytes("<meta charset=no-such-set><p>\xC3\xA9</p>"),
         QStringLiteral("<meta charset=no-such-set><p>é</p>")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(decodeHtmlBytes(c.page), c.expected) << c.name;

    EXPECT_EQ(decodeWindows1252(bytes("\x81\x8D\x8F\x90\x9D\xFF")),
              QStringLiteral("\u0081\u008D\u008F\u0090\u009D\u00FF"));
    EXPECT_EQ(decodeMapFileBytes(bytes("rect caf\xC3\xA9.html 1,2 3,4")), QStringLiteral("rect café.html 1,2 3,4"));
    EXPECT_EQ(decodeMapFileBytes(bytes("rect caf\xE9.html 1,2 3,4")), QStringLiteral("rect café.html 1,2 3,4"));
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

TEST(TextInput, FilesTooLargeOrUnreadableAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<p>Caf\xE9</p>\n");
    file.close();
    const FileText read = readMapInputFile(path, FileKind::Html);
    EXPECT_EQ(read.problem, FileText::None);
    EXPECT_EQ(read.text, QStringLiteral("<p>Café</p>\r\n"));

    EXPECT_EQ(readMapInputFile(dir.filePath(QStringLiteral("missing.html")), FileKind::Html).problem,
              FileText::Unreadable);
    EXPECT_EQ(readMapInputFile(dir.path(), FileKind::MapFile).problem, FileText::Unreadable);

    // A sparse file: large on paper, no time or disk to make.
    const QString huge = dir.filePath(QStringLiteral("huge.map"));
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(MaxMapFileBytes + 1));
    big.close();
    EXPECT_EQ(readMapInputFile(huge, FileKind::MapFile).problem, FileText::TooLarge);
}
