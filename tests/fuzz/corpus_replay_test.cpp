// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_entries.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <utility>

namespace {

using Entry = bool (*)(const std::uint8_t *, std::size_t);

// Feeds every file of a target's corpus, seeds and crash inputs alike, to
// the entry its fuzzer runs.
void replay(const char *target, Entry entry)
{
    const QDir corpus(QStringLiteral(ZONARI_FUZZ_CORPUS) + u'/' + QLatin1String(target));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << corpus.path().toStdString();
    for (const QString &name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray input = file.readAll();
        EXPECT_TRUE(entry(reinterpret_cast<const std::uint8_t *>(input.constData()), std::size_t(input.size())))
            << target << '/' << name.toStdString();
    }
}

} // namespace

TEST(FuzzCorpus, EveryTargetPassesItsWholeCorpus)
{
    const std::pair<const char *, Entry> targets[] = {{"tag_parser", fuzzTagParser},
                                                      {"client_reader", fuzzClientReader},
                                                      {"server_reader", fuzzServerReader},
                                                      {"document_json", fuzzDocumentJson}};
    for (const auto &[target, entry] : targets)
        replay(target, entry);
}
