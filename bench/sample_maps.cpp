// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_maps.h"

#include <random>

MapDocument sampleMap(int count)
{
    MapDocument doc;
    doc.map_name = QStringLiteral("sample");
    doc.image_file = QStringLiteral("/srv/www/img/sample.png");
    doc.map_file = QStringLiteral("/srv/www/index.html");
    doc.default_link = QStringLiteral("index.html");
    std::mt19937 random(42);
    std::uniform_int_distribution<int> x(0, 1900), y(0, 1400), size(5, 100), corners(3, 12);
    for (int i = 0; i < count; ++i) {
        const auto shape = ShapeType(i % 3);
        clscoords &area = doc.shapecol.add(shape);
        const int left = x(random), top = y(random), side = size(random);
        if (shape == Polygon) {
            const int n = corners(random);
            for (int k = 0; k < n; ++k)
                area.newpoint(left + (k * 37) % side, top + (k * 53) % side);
        } else {
            area.newpoint(left, top);
            area.newpoint(left + side, top + side);
        }
        area.link = QStringLiteral("pages/page%1.html").arg(i);
        area.alt = QStringLiteral("Area number %1").arg(i);
        if (i % 5 == 0)
            area.setEvents(2, QStringLiteral("track(%1)").arg(i));
    }
    return doc;
}

QImage photoSizedPicture()
{
    QImage image(2000, 1500, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
    }
    return image;
}
