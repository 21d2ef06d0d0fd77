#include "formats/url_path.h"
#include "model/map_document.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {
QString s(const char *text) { return QString::fromUtf8(text); }
} // namespace

TEST(PathParts, FolderAndFileNameOfWindowsAndPosixPaths)
{
    EXPECT_EQ(getDir(s(R"(C:\web\maps\a.html)")), s(R"(C:\web\maps\)"));
    EXPECT_EQ(getDir(s("a.html")), QString());
    EXPECT_EQ(getDir(s("/home/ann/maps/a.html")), s("/home/ann/maps/"));
    EXPECT_EQ(file_name_of_path(s(R"(C:\web\pic.gif)")), s("pic.gif"));
    EXPECT_EQ(file_name_of_path(s("pic.gif")), s("pic.gif"));
    EXPECT_EQ(file_name_of_path(s("/srv/www/pic one.gif")), s("pic one.gif"));
    EXPECT_EQ(file_name_of_path(s("/srv/www/")), QString());
}

TEST(RelativePath, WindowsPathsClimbFolderByFolderAndFailAcrossDrives)
{
    struct Case {
        const char *from;
        const char *to;
        bool fromIsFile;
        const char *expected;
    };
    const Case cases[] = {
        {R"(C:\web\index.html)", R"(C:\web\img\pic.gif)", true, R"(.\img\pic.gif)"},
        {R"(C:\web\index.html)", R"(C:\web\pic.gif)", true, R"(.\pic.gif)"},
        {R"(C:\web\maps\index.html)", R"(C:\web\img\pic.gif)", true, R"(..\img\pic.gif)"},
        {R"(C:\a\b\c\index.html)", R"(C:\x\pic.gif)", true, R"(..\..\..\x\pic.gif)"},
        {R"(C:\web)", R"(C:\web\pic.gif)", false, R"(.\pic.gif)"},
        {R"(C:\web\maps)", R"(C:\web\pic.gif)", false, R"(..\pic.gif)"},
        {R"(C:\Web\Index.html)", R"(c:\WEB\img\Pic.gif)", true, R"(.\img\Pic.gif)"},
        {R"(C:\web\index.html)", R"(D:\web\pic.gif)", true, ""},
        {R"(\\server\share\a.html)", R"(\\server\share\img\p.gif)", true, R"(.\img\p.gif)"},
        {R"(\\server\share\a.html)", R"(\\other\share\p.gif)", true, ""},
        {R"(C:\web\index.html)", "", true, ""},
        {R"(C:\web\index.html)", R"(C:\web\./img/pic.gif)", true, R"(.\img\pic.gif)"},
        {R"(C:\web\sub\index.html)", R"(C:\web\sub\../img/pic.gif)", true, R"(..\img\pic.gif)"},
        {R"(C:\web\.\sub\..\index.html)", R"(C:\..\web\pic.gif)", true, R"(.\pic.gif)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(relative_path_to(s(c.from), s(c.to), c.fromIsFile), s(c.expected)) << c.from << " -> " << c.to;
}

TEST(RelativePath, PosixPathsUseSlashesAndCompareExactly)
{
    EXPECT_EQ(relative_path_to(s("/srv/www/index.html"), s("/srv/www/img/pic.gif"), true), s("./img/pic.gif"));
    EXPECT_EQ(relative_path_to(s("/srv/www/maps/a.html"), s("/srv/img/p.gif"), true), s("../../img/p.gif"));
    EXPECT_EQ(relative_path_to(s("/home/ann/a.html"), s("/opt/p.gif"), true), s("../../opt/p.gif"));
    EXPECT_EQ(relative_path_to(s("/srv/WWW/a.html"), s("/srv/www/p.gif"), true), s("../www/p.gif"));
    EXPECT_EQ(relative_path_to(s("/srv/www/a.html"), s("img/p.gif"), true), QString()); // no common root
    EXPECT_EQ(relative_path_to(s("/srv/www"), s("/srv/www/p.gif")), s("./p.gif"));
    EXPECT_EQ(relative_path_to(s("/srv/www/a.html"), s("/srv/www/./img/../p.gif"), true), s("./p.gif"));
    EXPECT_EQ(relative_path_to(s("../maps/a.html"), s("../maps/p.gif"), true), s("./p.gif"));
}

TEST(RelativePath, ResultsThatDoNotFitAWindowsPathBufferAreEmpty)
{
    const QString deep = QStringLiteral("C:\\") + QString(QStringLiteral("folder\\")).repeated(40) + QStringLiteral("a.html");
    EXPECT_EQ(relative_path_to(QStringLiteral("C:\\a.html"), deep, true), QString());
    EXPECT_EQ(relative_path_to(deep, QStringLiteral("C:\\p.gif"), true).size(), 125);
    EXPECT_EQ(url_from_path(deep), QString());
}

TEST(UrlPath, FileUrlsUseSlashesAndEscape)
{
    EXPECT_EQ(url_path_part(s(R"(.\pic.gif)")), s("./pic.gif"));
    EXPECT_EQ(url_path_part(s(R"(..\img\a b.gif)")), s("../img/a%20b.gif"));
    EXPECT_EQ(url_path_part(s(R"(C:\web\a.html)")), s("///C:/web/a.html"));
    EXPECT_EQ(url_path_part(s("pic.gif")), s("pic.gif"));
    EXPECT_EQ(url_path_part(s("100% #1.gif")), s("100%25%20%231.gif"));
    EXPECT_EQ(url_path_part(s("a+b.gif")), s("a%2Bb.gif"));
    EXPECT_EQ(url_path_part(s("/srv/www/a b.html")), s("///srv/www/a%20b.html"));
    EXPECT_EQ(url_from_path(s("/srv/été.png")), s("file:///srv/été.png"));
    EXPECT_EQ(url_from_path(s(R"(C:\web\a.html)")), s("file:///C:/web/a.html"));
}

TEST(UrlPath, PictureReferenceIsRelativeToTheMapFileOrItsBareName)
{
    MapDocument doc;
    doc.image_file = s(R"(C:\web\img\pic.gif)");
    EXPECT_EQ(image_src_for_map(doc), s("pic.gif")); // never saved
    doc.map_file = s(R"(C:\web\index.html)");
    EXPECT_EQ(image_src_for_map(doc), s("./img/pic.gif"));
    doc.image_file = s(R"(D:\pics\pic.gif)");
    EXPECT_EQ(image_src_for_map(doc), s("pic.gif"));
    doc.map_file = s("/home/ann/site/maps/index.html");
    doc.image_file = s("/home/ann/site/pics/my pic.png");
    EXPECT_EQ(image_src_for_map(doc), s("../pics/my%20pic.png"));
    doc.image_file.clear();
    EXPECT_EQ(image_src_for_map(doc), QString());
}

TEST(UrlPath, LinksForChosenFiles)
{
    MapDocument doc;
    EXPECT_EQ(link_for_file(doc, s(R"(C:\web\a.html)")), s("///C:/web/a.html"));
    doc.image_file = s(R"(C:\web\img\pic.gif)");
    EXPECT_EQ(link_for_file(doc, s(R"(C:\web\a.html)")), s("../a.html"));
    doc.map_file = s(R"(C:\web\index.html)");
    EXPECT_EQ(link_for_file(doc, s(R"(C:\web\pages\a b.html)")), s("./pages/a%20b.html"));
    EXPECT_EQ(link_for_file(doc, s(R"(E:\a.html)")), s("///E:/a.html"));
}

TEST(UrlDecode, PlusPercentAndByteSequences)
{
    struct Case {
        QString in, out;
    };
    const Case cases[] = {
        {s("a+b%20c"), s("a b c")},
        {s("100%"), s("100") + QChar(0)},
        {s("%4"), QString(QChar(4))},
        {s("%4g!"), QString(QChar(4)) + s("!")}, // both characters after % are consumed
        {s("%zz1"), QString(QChar(0)) + s("1")},
        {s("%C3%A9t%C3%A9"), s("été")},          // UTF-8 sequences join up
        {s("caf%E9"), s("café")},                // a lone byte is Latin-1
        {s("%E9%C3%A9"), s("éé")},
        {s("%c3%a9"), s("é")},
        {s("%C3"), s("Ã")},
        {s("%F0%9F%98%80"), s("😀")},
        {s("%C3+%A9"), s("Ã ©")},               // not consecutive: no sequence
        {s("plain/ü.html"), s("plain/ü.html")},
        {QString(), QString()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(URLDecode(c.in), c.out) << c.in.toStdString();
}
