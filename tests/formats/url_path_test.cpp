// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/url_path.h"
#include "model/map_document.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {
QString s(const char *text)
{
    return QString::fromUtf8(text);
}
} // namespace

TEST(PathParts, FolderAndFileNameOfWindowsAndPosixPaths)
{
    struct Case {
        const char *path;
        const char *folder;
        const char *name;
    };
    const Case cases[] = {
        {R"(C:\web\maps\a.html)", R"(C:\web\maps\)", "a.html"},
        {"a.html", "", "a.html"},
        {R"(img\a.gif)", R"(img\)", "a.gif"},
        {"/srv/www/pic one.gif", "/srv/www/", "pic one.gif"},
        {"/srv/www/", "/srv/www/", ""},
        {R"(/home/u/web/x\y.gif)", "/home/u/web/", R"(x\y.gif)"}, // a POSIX name may hold a backslash
    };
    for (const Case &c : cases) {
        EXPECT_EQ(getDir(s(c.path)), s(c.folder)) << c.path;
        EXPECT_EQ(file_name_of_path(s(c.path)), s(c.name)) << c.path;
    }
}

TEST(RelativePath, ClimbsFolderByFolderAndFailsWithoutACommonRoot)
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
        // POSIX paths use "/" and compare exactly.
        {"/srv/www/index.html", "/srv/www/img/pic.gif", true, "./img/pic.gif"},
        {"/srv/www/maps/a.html", "/srv/img/p.gif", true, "../../img/p.gif"},
        {"/srv/WWW/a.html", "/srv/www/p.gif", true, "../www/p.gif"},
        {"/srv/www/a.html", "img/p.gif", true, ""},
        {"/srv/www", "/srv/www/p.gif", false, "./p.gif"},
        {"/srv/www/a.html", "/srv/www/./img/../p.gif", true, "./p.gif"},
        {"../maps/a.html", "../maps/p.gif", true, "./p.gif"},
        {"/home/u/web/index.html", R"(/home/u/web/x\y.gif)", true, R"(./x\y.gif)"},
        {R"(/home/u/a\b/index.html)", "/home/u/p.gif", true, "../p.gif"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(relative_path_to(s(c.from), s(c.to), c.fromIsFile), s(c.expected)) << c.from << " -> " << c.to;
}

TEST(RelativePath, ResultsThatDoNotFitAWindowsPathBufferAreEmpty)
{
    const QString deep =
        QStringLiteral("C:\\") + QString(QStringLiteral("folder\\")).repeated(40) + QStringLiteral("a.html");
    EXPECT_EQ(relative_path_to(QStringLiteral("C:\\a.html"), deep, true), QString());
    EXPECT_EQ(relative_path_to(deep, QStringLiteral("C:\\p.gif"), true).size(), 125);
    EXPECT_EQ(url_from_path(deep), QString());
}

TEST(UrlPath, FileUrlsUseSlashesAndEscape)
{
    const std::pair<const char *, const char *> cases[] = {
        {R"(.\pic.gif)", "./pic.gif"},
        {R"(..\img\a b.gif)", "../img/a%20b.gif"},
        {R"(C:\web\a.html)", "///C:/web/a.html"},
        {"pic.gif", "pic.gif"},
        {"100% #1.gif", "100%25%20%231.gif"},
        {"a+b.gif", "a%2Bb.gif"},
        {"/srv/www/a b.html", "///srv/www/a%20b.html"},
        {"/srv/été.png", "///srv/été.png"},
        {R"(/home/u/web/x\y.gif)", "///home/u/web/x%5Cy.gif"},
    };
    for (const auto &[path, url] : cases)
        EXPECT_EQ(url_path_part(s(path)), s(url)) << path;
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
    doc.image_file = s(R"(/home/ann/site/maps/x\y.gif)");
    EXPECT_EQ(image_src_for_map(doc), s("./x%5Cy.gif"));
    doc.map_file.clear();
    EXPECT_EQ(image_src_for_map(doc), s("x%5Cy.gif"));
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
    doc.map_file = s("/srv/www/index.html");
    EXPECT_EQ(link_for_file(doc, s(R"(/srv/www/a\b.html)")), s("./a%5Cb.html"));
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
        {s("%C3%A9t%C3%A9"), s("été")}, // UTF-8 sequences join up
        {s("caf%E9"), s("café")},       // a lone byte is Latin-1
        {s("%E9%C3%A9"), s("éé")},
        {s("%c3%a9"), s("é")},
        {s("%C3"), s("Ã")},
        {s("%F0%9F%98%80"), s("😀")},
        {s("%C3+%A9"), s("Ã ©")}, // not consecutive: no sequence
        {s("plain/ü.html"), s("plain/ü.html")},
        {QString(), QString()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(URLDecode(c.in), c.out) << c.in.toStdString();
}
