#include "map_text_input.h"

#include <QFile>
#include <QStringDecoder>

#include <array>

namespace {

// Bytes 0x80..0x9F; the rest of Windows-1252 equals ISO-8859-1.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeUtf8OrWindows1252(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

std::optional<QString> decodeByByteOrderMark(QByteArrayView bytes)
{
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes);
    if (!marked)
        return std::nullopt;
    QStringDecoder decoder(*marked); // drops the mark itself
    return QString(decoder.decode(bytes));
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char16_t(byte);
    }
    return text;
}

QString decodeHtmlBytes(QByteArrayView bytes)
{
    if (std::optional<QString> text = decodeByByteOrderMark(bytes))
        return *text;
    // Qt finds a charset declared in a meta element; without one it offers
    // UTF-8, which is then checked like an undeclared page.
    QStringDecoder declared = QStringDecoder::decoderForHtml(bytes);
    if (declared.isValid()) {
        const QByteArray name = QByteArray(declared.name()).toLower();
        if (name == "iso-8859-1" || name == "us-ascii" || name == "windows-1252")
            return decodeWindows1252(bytes);
        if (name != "utf-8" && !name.startsWith("utf-16") && !name.startsWith("utf-32"))
            return declared.decode(bytes);
    }
    return decodeUtf8OrWindows1252(bytes);
}

QString decodeMapFileBytes(QByteArrayView bytes)
{
    if (std::optional<QString> text = decodeByByteOrderMark(bytes))
        return *text;
    return decodeUtf8OrWindows1252(bytes);
}

namespace {

// Whether every line already ends in CR LF, as in files the editor saved.
bool endsLinesWithCrLf(QStringView text)
{
    if (!text.isEmpty() && !text.endsWith(u"\r\n"))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return false;
        if (c == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return false;
    }
    return true;
}

} // namespace

QString withCrLfLineEnds(const QString &text)
{
    if (endsLinesWithCrLf(text))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 16 + 2);
    forEachLine(text, [&](QStringView line) {
        out += line;
        out += u"\r\n";
        return true;
    });
    return out;
}

FileText readMapInputFile(const QString &path, FileKind kind)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QString(), FileText::Unreadable};
    if (file.size() > MaxMapFileBytes)
        return {QString(), FileText::TooLarge};
    QString text;
    {
        // In pieces, and no further than one byte past the limit: a device
        // may not know its size, or not have one.
        QByteArray bytes;
        for (;;) {
            const qsizetype have = bytes.size();
            const qint64 want = qMin<qint64>(MaxMapFileBytes + 1 - have, qMax<qint64>(file.size() - have + 1, 65536));
            bytes.resize(have + want);
            const qint64 got = file.read(bytes.data() + have, want);
            bytes.resize(have + qMax<qint64>(got, 0));
            if (got < 0)
                return {QString(), FileText::Unreadable};
            if (bytes.size() > MaxMapFileBytes)
                return {QString(), FileText::TooLarge};
            if (got == 0)
                break;
        }
        text = kind == FileKind::Html ? decodeHtmlBytes(bytes) : decodeMapFileBytes(bytes);
    }
    return {withCrLfLineEnds(text), FileText::None};
}
