// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_check.h"

#include "area_collection.h"
#include "area_region.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

// Apache's mod_imagemap, the usual reader of NCSA map files, stops reading
// a polygon's points after this many.
constexpr int ApacheMaxPolygonPoints = 100;

// The coverage pass works on the picture in bands of rows holding at most
// this many pixels, so a huge picture never needs a buffer its size.
constexpr qint64 MaxBandPixels = qint64(1) << 24;

struct Checked {
    const clscoords *area = nullptr;
    AreaRegion region;
    QRect bounds;
    bool inside = false;         // has a pixel inside the picture
    bool free = false;           // one of them is not taken by an earlier area
    std::vector<quint16> takers; // the earlier areas holding its pixels, when none is free
};

// Paints the areas in map order into a buffer of pixel owners, a band at a
// time: a pixel belongs to the first area that holds it, as a click does.
// Until an area meets a free pixel, the owners of the pixels it meets are
// noted; from then on its pixels are only claimed, which goes much faster.
void findCoverage(std::vector<Checked> &areas, const QRect &picture)
{
    QRect reach;
    for (const Checked &c : areas)
        reach |= c.bounds;
    const QRect work = reach & picture;
    if (work.isEmpty())
        return;
    const int width = work.width();
    const int bandHeight = int(std::clamp<qint64>(MaxBandPixels / width, 1, work.height()));
    std::vector<quint16> owner(std::size_t(width) * std::size_t(bandHeight));
    std::vector<quint8> noted(MaxAreaCount + 1);
    std::vector<PixelRun> runs;
    for (int top = work.top(); top <= work.bottom(); top += bandHeight) {
        const QRect band(work.left(), top, width, std::min(bandHeight, work.bottom() - top + 1));
        std::fill(owner.begin(), owner.end(), quint16(0));
        for (Checked &c : areas) {
            if (!c.bounds.intersects(band))
                continue;
            runs.clear();
            c.region.appendRuns(band, runs);
            c.inside = c.inside || !runs.empty();
            const auto position = quint16(c.area->clsindex);
            for (quint16 taker : c.takers)
                noted[taker] = 1;
            quint16 previous = 0;
            for (const PixelRun &run : runs) {
                quint16 *cell =
                    owner.data() + std::size_t(run.y - band.top()) * std::size_t(width) + (run.first - band.left());
                const int length = run.last - run.first + 1;
                int i = 0;
                for (; !c.free && i < length; ++i) {
                    const quint16 taken = cell[i];
                    if (taken == 0) {
                        c.free = true;
                        break; // claimed below with the rest
                    }
                    if (taken != previous && !noted[previous = taken]) {
                        noted[taken] = 1;
                        c.takers.push_back(taken);
                    }
                }
                // A plain loop along the run, which the compiler vectorises.
                for (; i < length; ++i)
                    cell[i] = cell[i] ? cell[i] : position;
            }
            for (quint16 taker : c.takers)
                noted[taker] = 0;
        }
    }
}

// "area 3 covers", "areas 3 and 7 cover", "areas 3, 7 and 9 cover".
QString coveringAreas(std::vector<quint16> positions)
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    QString text;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (i > 0)
            text += i + 1 == positions.size() ? QStringLiteral(" and ") : QStringLiteral(", ");
        text += QString::number(positions[i]);
    }
    return positions.size() == 1 ? QStringLiteral("area %1 covers").arg(text)
                                 : QStringLiteral("areas %1 cover").arg(text);
}

int distinctPoints(const clscoords &area)
{
    QSet<QPoint> points;
    for (int i = 0; i < area.nr_points; ++i)
        points.insert(QPoint(area.getPointX(i), area.getPointY(i)));
    return int(points.size());
}

// Whether the region holds any pixel at all, inside the picture or not.
bool hasPixels(const Checked &c)
{
    if (c.inside)
        return true;
    std::vector<PixelRun> runs;
    c.region.appendRuns(c.bounds, runs);
    return !runs.empty();
}

// Why an area offers no pixel to click, or an empty text when it does.
QString degeneracy(const Checked &c)
{
    const clscoords &area = *c.area;
    switch (area.shapetype) {
    case Rectangle:
        if (area.getPointX(0) == area.getPointX(1) || area.getPointY(0) == area.getPointY(1))
            return QStringLiteral("is a rectangle of zero width or height");
        break;
    case Circle:
        if (area.getCircleR() == 0)
            return QStringLiteral("is a circle of radius 0");
        break;
    case Polygon:
        if (distinctPoints(area) < 3)
            return QStringLiteral("is a polygon with fewer than three distinct points");
        if (!hasPixels(c))
            return QStringLiteral("is a polygon with no inner surface");
        break;
    }
    return hasPixels(c) ? QString() : QStringLiteral("covers no pixel");
}

// The same shape at the same points with the same link, as raw bytes.
QByteArray duplicateKey(const clscoords &area)
{
    QByteArray key;
    const auto append = [&key](const auto &value) { key.append(reinterpret_cast<const char *>(&value), sizeof value); };
    append(area.shapetype);
    append(area.nr_points);
    for (int i = 0; i < area.nr_points; ++i) {
        append(area.getPointX(i));
        append(area.getPointY(i));
    }
    return key.append(reinterpret_cast<const char *>(area.link.constData()), area.link.size() * 2);
}

} // namespace

QString checkedAreaName(const clscoords &area)
{
    return QStringLiteral("Area %1 (%2)")
        .arg(area.clsindex)
        .arg(area.link.isEmpty() ? QStringLiteral("no link") : area.link);
}

std::vector<MapFinding> checkMap(const MapDocument &doc, QSize pictureSize)
{
    std::vector<Checked> areas;
    areas.reserve(std::size_t(doc.shapecol.count()));
    doc.forEachLiveArea([&](const clscoords &area) {
        Checked &c = areas.emplace_back();
        c.area = &area;
        c.region = regionOf(area, 1.0f);
        c.bounds = c.region.boundingRect();
    });

    const bool pictureKnown = !pictureSize.isEmpty();
    QRect picture(QPoint(0, 0), pictureSize);
    if (!pictureKnown) {
        picture = {};
        for (const Checked &c : areas)
            picture |= c.bounds;
        picture.setTopLeft(QPoint(0, 0));
    }
    findCoverage(areas, picture);

    const bool ncsa = doc.is_servermap && doc.serverside_type == Ncsa;
    std::vector<MapFinding> findings;
    QHash<QByteArray, int> firstWithKey;
    for (const Checked &c : areas) {
        const clscoords &area = *c.area;
        const auto add = [&](MapProblem kind, const QString &text) {
            findings.push_back({kind, area.clsindex, checkedAreaName(area) + QStringLiteral(": ") + text});
        };
        const QString degenerate = degeneracy(c);
        if (!degenerate.isEmpty())
            add(MapProblem::Degenerate, degenerate);
        else if (pictureKnown && !c.inside)
            add(MapProblem::OutsidePicture, QStringLiteral("lies outside the picture"));
        else if (pictureKnown && !picture.contains(c.bounds))
            add(MapProblem::PartlyOutsidePicture, QStringLiteral("lies partly outside the picture"));
        if (degenerate.isEmpty() && c.inside && !c.free)
            add(MapProblem::Covered, QStringLiteral("cannot be clicked: %1 it").arg(coveringAreas(c.takers)));
        if (area.link.isEmpty())
            add(MapProblem::NoLink, QStringLiteral("has no link"));
        if (!doc.is_servermap && area.alt.isEmpty())
            add(MapProblem::NoAlt, QStringLiteral("has no alternative text"));
        const QByteArray key = duplicateKey(area);
        const auto earlier = firstWithKey.constFind(key);
        if (earlier != firstWithKey.constEnd())
            add(MapProblem::Duplicate, QStringLiteral("has the same shape, points and link as area %1").arg(*earlier));
        else
            firstWithKey.insert(key, area.clsindex);
        if (ncsa && !doc.ncsaApacheCircles && area.shapetype == Circle)
            add(MapProblem::NcsaCircle,
                QStringLiteral("is a circle, written as circ, which Apache's mod_imagemap skips"));
        if (ncsa && area.shapetype == Polygon && area.nr_points > ApacheMaxPolygonPoints)
            add(MapProblem::NcsaLongPolygon,
                QStringLiteral("has %1 points; Apache's mod_imagemap reads only the first %2")
                    .arg(area.nr_points)
                    .arg(ApacheMaxPolygonPoints));
    }
    return findings;
}
