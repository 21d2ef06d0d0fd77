// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <ostream>

// Readable failure messages for Qt types; CR and LF are shown as escapes so
// that line-break mistakes in generated text stand out.
inline void PrintTo(const QString &s, std::ostream *os)
{
    QString shown = s;
    shown.replace(QLatin1String("\r"), QLatin1String("\\r")).replace(QLatin1String("\n"), QLatin1String("\\n"));
    *os << '"' << shown.toStdString() << '"';
}

inline void PrintTo(const QPoint &p, std::ostream *os)
{
    *os << '(' << p.x() << ',' << p.y() << ')';
}

inline void PrintTo(const QSize &s, std::ostream *os)
{
    *os << s.width() << 'x' << s.height();
}

inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << "QRect(" << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height() << ')';
}

inline void PrintTo(const QColor &c, std::ostream *os)
{
    *os << c.name(QColor::HexArgb).toStdString();
}
