// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/undo_history.h"

#include <QStringList>

#include <gtest/gtest.h>

// Texts that share heads and tails in every way, the empty text among them:
// each comes back exactly, newest first.
TEST(SnapshotStack, GivesBackEveryTextNewestFirst)
{
    const QStringList texts = {"aaa", "aa", "", "a", "abcabc", "abc", "abXc", "abXc", "Xbc", "aaaa", "aaa"};
    SnapshotStack stack;
    for (const QString &text : texts)
        stack.push(text);
    ASSERT_EQ(stack.size(), std::size_t(texts.size()));
    for (qsizetype i = texts.size() - 1; i >= 0; --i)
        EXPECT_EQ(stack.take(), texts[i]) << i;
    EXPECT_TRUE(stack.empty());
}
