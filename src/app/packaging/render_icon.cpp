// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's SVG icon as square PNGs for the icon theme's
// fixed-size folders: render_icon SVG OUTDIR SIZE... writes
// OUTDIR/SIZExSIZE/apps/NAME.png, NAME being the SVG's base name. Build time
// only; the icon has no text, so no application object or fonts are needed.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fputs("usage: render_icon SVG OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer svg(source);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString name = QFileInfo(source).completeBaseName() + QStringLiteral(".png");
    for (int i = 3; i < argc; ++i) {
        bool isNumber = false;
        const int size = QByteArray(argv[i]).toInt(&isNumber);
        if (!isNumber || size <= 0) {
            std::fprintf(stderr, "render_icon: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QLatin1Char('/') + name, "PNG")) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
