// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_test_support.h"

#include "pictures/emf_converter.h"

#include <QRandomGenerator>
#include <QtEndian>

namespace {

// Points the loader at another converter for one test.
class ConverterSwap {
public:
    explicit ConverterSwap(const QString &program) { setEmfConverterProgram(program); }
    ~ConverterSwap() { setEmfConverterProgram({}); }
    ConverterSwap(const ConverterSwap &) = delete;
    ConverterSwap &operator=(const ConverterSwap &) = delete;
};

// A shell script standing in for emf2svg-conv; it is called as
// "-i IN -o OUT -w W -h H", so $4 is the SVG it is to write.
QString fakeConverter(FileFolder &files, const char *body)
{
    const QString path = files.write(QStringLiteral("fake-conv"), QByteArray("#!/bin/sh\n") + body + '\n');
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Every way the converter can let the loader down ends in the loader's own
// message for a picture it cannot read, and the editor carries on.
TEST(EmfConverter, AnyFailureOfTheConverterIsAnInvalidPicture)
{
    const struct {
        const char *label;
        const char *script;
    } cases[] = {
        {"crashes", "kill -SEGV $$"},
        {"exits with an error", "echo 'cannot parse' >&2; exit 3"},
        {"writes nothing", "exit 0"},
        {"writes an empty file", ": > \"$4\""},
        {"writes no SVG", "printf 'not a drawing' > \"$4\""},
    };
    FileFolder files;
    const QString emf = files.write(QStringLiteral("sample.emf"), dataBytes(QStringLiteral("sample.emf")));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        const ConverterSwap swap(fakeConverter(files, c.script));
        const LoadedPicture picture = loadPicture(emf, dpi(96));
        EXPECT_FALSE(picture.ok());
        EXPECT_EQ(picture.error, QStringLiteral("Invalid picture ") + emf);
    }
}

// Records of the right types and sizes holding garbage: the real converter
// refuses them, and the loader says the picture is invalid.
TEST(EmfConverter, GarbageRecordsGiveAnInvalidPicture)
{
    const QByteArray whole = dataBytes(QStringLiteral("sample.emf"));
    const auto recordSize = [&](qsizetype at) {
        return qsizetype(qFromLittleEndian<quint32>(whole.constData() + at + 4));
    };
    QByteArray garbled = whole;
    QRandomGenerator noise(20261206);
    constexpr quint32 EndOfFile = 14;
    for (qsizetype at = recordSize(0); at < whole.size(); at += recordSize(at)) {
        if (qFromLittleEndian<quint32>(whole.constData() + at) == EndOfFile)
            break;
        for (qsizetype i = at + 8; i < at + recordSize(at); ++i)
            garbled[i] = char(noise.bounded(256));
    }
    FileFolder files;
    const QString path = files.write(QStringLiteral("garbled.emf"), garbled);
    const LoadedPicture picture = loadPicture(path, dpi(96));
    EXPECT_FALSE(picture.ok());
    EXPECT_EQ(picture.error, QStringLiteral("Invalid picture ") + path);
}

// Without the converter an EMF cannot be drawn; the message names the
// program and the package to install, on both loader paths.
TEST(EmfConverter, MissingConverterIsNamed)
{
    FileFolder files;
    const ConverterSwap swap(files.path(QStringLiteral("no-such-conv")));
    for (const char *name : {"picture.emf", "picture.png"}) {
        const QString path = files.write(QLatin1String(name), dataBytes(QStringLiteral("sample.emf")));
        const LoadedPicture picture = loadPicture(path, dpi(96));
        EXPECT_FALSE(picture.ok()) << name;
        EXPECT_EQ(picture.error,
                  QStringLiteral("Cannot draw EMF picture without emf2svg-conv (package emf2svg) ") + path);
    }
    EXPECT_TRUE(loadPicture(dataFile(QStringLiteral("sample.wmf")), dpi(96)).ok()) << "WMF needs no converter";
}

} // namespace
