#include "app/code_pane.h"
#include "support/printers.h"

#include <QTest>

#include <gtest/gtest.h>

// The pane shows each map text as given, with LF breaks, whether a line
// changed or the whole map did, and every line ends up coloured.
TEST(CodePane, FollowsTheMapTextThroughSmallAndWholeChanges)
{
    const auto map = [](const char *name, int changedLine = -1) {
        QString text = QStringLiteral("<map name=\"%1\">\r\n").arg(QLatin1String(name));
        for (int i = 0; i < 500; ++i)
            text += QStringLiteral("<area href=\"%1%2.html\">\r\n").arg(QLatin1String(name)).arg(i == changedLine ? -i : i);
        return text + QStringLiteral("</map>");
    };
    CodePane pane(nullptr);
    pane.resize(400, 120);
    for (const QString &text : {map("a"), map("b"), map("b", 250), map("a"), QString(), map("b")}) {
        pane.showMapText(text);
        EXPECT_EQ(pane.toPlainText(), QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return pane.allColoured(); }));
}
