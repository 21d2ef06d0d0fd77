// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstring>

// An append-only text buffer for generated map text. It writes straight into
// the string's storage and grows by doubling, so building the text of a map
// with thousands of areas costs one pass and a handful of allocations.
class TextBuffer {
public:
    explicit TextBuffer(qsizetype capacity) { grow(capacity); }

    TextBuffer &operator<<(QLatin1StringView text)
    {
        reserve(text.size());
        const char *from = text.data();
        for (qsizetype i = 0; i < text.size(); ++i)
            m_data[m_size + i] = char16_t(static_cast<unsigned char>(from[i]));
        m_size += text.size();
        return *this;
    }

    TextBuffer &operator<<(QStringView text)
    {
        if (text.isEmpty()) // a null view has no storage to copy from
            return *this;
        reserve(text.size());
        std::memcpy(m_data + m_size, text.utf16(), std::size_t(text.size()) * sizeof(char16_t));
        m_size += text.size();
        return *this;
    }

    TextBuffer &operator<<(const QString &text) { return *this << QStringView(text); }

    TextBuffer &operator<<(char c)
    {
        reserve(1);
        m_data[m_size++] = char16_t(static_cast<unsigned char>(c));
        return *this;
    }

    // Plain decimal: a minus sign for negative values, no blanks or zeros.
    TextBuffer &operator<<(qint32 value)
    {
        reserve(11);
        quint32 v = quint32(value);
        if (value < 0) {
            m_data[m_size++] = u'-';
            v = 0u - v;
        }
        // Two digits per division: numbers are most of a map's text.
        static constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324"
                                        "25262728293031323334353637383940414243444546474849"
                                        "50515253545556575859606162636465666768697071727374"
                                        "75767778798081828384858687888990919293949596979899";
        char16_t digits[10];
        int n = 10;
        while (v >= 100) {
            const quint32 pair = (v % 100) * 2;
            v /= 100;
            digits[--n] = char16_t(Pairs[pair + 1]);
            digits[--n] = char16_t(Pairs[pair]);
        }
        if (v >= 10) {
            digits[--n] = char16_t(Pairs[v * 2 + 1]);
            digits[--n] = char16_t(Pairs[v * 2]);
        } else {
            digits[--n] = char16_t(u'0' + v);
        }
        while (n < 10)
            m_data[m_size++] = digits[n++];
        return *this;
    }

    QString take()
    {
        m_text.truncate(m_size);
        return std::move(m_text);
    }

private:
    void reserve(qsizetype extra)
    {
        if (m_size + extra > m_text.size())
            grow(std::max(m_text.size() * 2, m_size + extra));
    }

    void grow(qsizetype capacity)
    {
        m_text.resize(capacity);
        m_data = reinterpret_cast<char16_t *>(m_text.data());
    }

    QString m_text;
    char16_t *m_data = nullptr;
    qsizetype m_size = 0;
};
