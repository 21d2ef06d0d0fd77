// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QJsonParseError>
#include <QString>

// A JSON value where only its kind and, for texts and numbers, its value
// matter.
struct JsonScalar {
    enum Kind { Text, Number, Null, Other };
    Kind kind = Other;
    QString text;
    double number = 0;
};

// Walks JSON text in place, value by value, so that a caller can build what
// it needs without a tree of JSON values in between. It reads what Qt's JSON
// parser reads, down to its leniencies (control characters in texts,
// unknown escapes, numbers such as .5), and names a syntax error with Qt's
// words. Every read returns false once there is a syntax error, which
// error() then describes; the cursor stands on the next value after
// white space is skipped.
class JsonCursor {
public:
    explicit JsonCursor(QByteArrayView json);

    QJsonParseError error() const { return {int(m_errorAt), m_error}; }
    bool failed() const { return m_error != QJsonParseError::NoError; }
    // Records a syntax error at the cursor, unless one came before.
    bool fail(QJsonParseError::ParseError error);

    // The first character of the next value, or NUL at the end.
    char peek();
    bool atEnd();

    // Calls member(key) with the cursor on each member's value; member
    // reads the value and returns false on a syntax error.
    template <typename Member> bool readObject(Member &&member)
    {
        if (!enter('{'))
            return false;
        if (peek() == '}')
            return leave();
        for (;;) {
            if (peek() != '"')
                return fail(QJsonParseError::UnterminatedObject);
            QString key;
            if (!readString(key))
                return false;
            if (peek() != ':')
                return fail(QJsonParseError::MissingNameSeparator);
            ++m_pos;
            if (!member(key))
                return false;
            if (peek() == '}')
                return leave();
            if (peek() != ',')
                return fail(QJsonParseError::UnterminatedObject);
            ++m_pos;
            if (peek() == '}')
                return fail(QJsonParseError::MissingObject);
        }
    }

    // Calls element(index) with the cursor on each element.
    template <typename Element> bool readArray(Element &&element)
    {
        if (!enter('['))
            return false;
        if (peek() == ']')
            return leave();
        for (qsizetype index = 0;; ++index) {
            if (!element(index))
                return false;
            if (peek() == ']')
                return leave();
            if (peek() != ',')
                return fail(atEnd() ? QJsonParseError::UnterminatedArray : QJsonParseError::MissingValueSeparator);
            ++m_pos;
            if (peek() == ']')
                return fail(QJsonParseError::MissingObject);
        }
    }

    // Reads a value of any kind; objects and arrays are checked and skipped.
    bool readScalar(JsonScalar &out);
    bool skipValue();

private:
    bool enter(char bracket);
    bool leave(); // steps over the closing bracket
    bool readString(QString &out);
    bool appendUtf8(QString &out, QByteArrayView run, qsizetype at);
    bool readNumber(double &out);

    QByteArrayView m_json;
    qsizetype m_pos = 0;
    int m_depth = 0;
    QJsonParseError::ParseError m_error = QJsonParseError::NoError;
    qsizetype m_errorAt = 0;
};
