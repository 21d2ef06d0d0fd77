// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_tool.h"

#include "formats/client_map_reader.h"
#include "formats/document_json.h"
#include "formats/map_writer.h"
#include "formats/server_map_reader.h"
#include "formats/svg_writer.h"
#include "model/area_hits.h"
#include "model/map_check.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include <functional>
#include <optional>

namespace {

const char *const Usage = "Usage: zonari-map COMMAND [OPTIONS]\n"
                          "\n"
                          "Commands:\n"
                          "  write --format html|ncsa|cern|page|svg [--map-file PATH] [--apache-circles]\n"
                          "      Reads a map document as JSON on standard input and prints the map\n"
                          "      text of that format (or the HTML page of a server-side map) exactly\n"
                          "      as the editor writes it. svg prints the map as an SVG drawing that\n"
                          "      scales: the picture with every area as a link over it; the picture's\n"
                          "      size is read from its file, and its reference is relative to the\n"
                          "      map file, so --map-file names where the drawing will be saved.\n"
                          "      --apache-circles (ncsa only) writes circles as Apache's mod_imagemap\n"
                          "      reads them, \"circle URL cx,cy ex,ey\": the centre and a point on the\n"
                          "      circle, after a comment line that tells the editor to read them back\n"
                          "      that way.\n"
                          "  read FILE [--format html|ncsa|cern] [--map NAME | --map-index N] [--page HTML]\n"
                          "      Reads a map as the editor loads it and prints the document as JSON.\n"
                          "      Files ending in .map are read as NCSA, others as HTML, unless --format\n"
                          "      says otherwise. A page with several maps needs --map or --map-index\n"
                          "      (from 0). --page reads a server-side map's HTML page for its picture.\n"
                          "      The picture is resolved, never loaded.\n"
                          "  convert IN --to html|ncsa|cern|page|svg [--map-file PATH] [--apache-circles]\n"
                          "          [read options]\n"
                          "      Reads IN as read does and prints it in another format; the map file\n"
                          "      is IN unless --map-file names another. For svg, give the SVG file's\n"
                          "      path as --map-file: the picture reference is relative to it.\n"
                          "      --apache-circles as for write.\n"
                          "  hit X,Y [X,Y ...]\n"
                          "      Reads a map document as JSON on standard input and prints, for each\n"
                          "      picture point, the point and the live areas (from 0, in map order)\n"
                          "      whose region on the editor's canvas holds it, or - for none.\n"
                          "  check FILE [read options]\n"
                          "      Reads FILE as read does and prints, one per line, what will not work\n"
                          "      in a browser: areas covered by earlier ones, outside the picture or\n"
                          "      without pixels, areas without a link or alternative text, repeated\n"
                          "      areas, and what Apache skips in an NCSA map. The picture's size is\n"
                          "      read from its file; without it the picture's edges are not checked.\n"
                          "      Exit status 1 when anything is found.\n"
                          "  help\n"
                          "      Prints this text.\n"
                          "\n"
                          "Document JSON:\n"
                          "  {\"map_name\", \"image_file\", \"map_file\", \"server_html_file\",\n"
                          "   \"default_link\", \"default_target\",\n"
                          "   \"areas\": [{\"shape\": \"rect\"|\"circle\"|\"poly\", \"points\": [[x,y],...],\n"
                          "              \"link\", \"alt\", \"targetframe\", \"onmouseover\", \"onmouseout\",\n"
                          "              \"events\": [14 texts]}]}\n"
                          "  Missing keys mean empty texts.\n"
                          "\n"
                          "Exit status: 0 done, 1 a map could not be read, 2 bad arguments or input.\n";

// File names are taken as absolute paths, so that a relative one names the
// same file, and gives the same answer, as its full path: relative picture
// references are resolved against the map file's folder.
QString absoluteFileName(const QString &name)
{
    return name.isEmpty() ? name : QFileInfo(name).absoluteFilePath();
}

// Where a command writes what it prints.
struct Output {
    QIODevice &out;
    QIODevice &err;
};

// A failure with its lines on standard error, each after the tool's name.
struct Failure {
    int status = ExitStatus::Ok;
    QStringList lines;
};

int report(Output &output, const Failure &failure)
{
    for (const QString &line : failure.lines)
        output.err.write("zonari-map: " + line.toUtf8() + '\n');
    return failure.status;
}

Failure failure(int status, const QString &message)
{
    return {status, {message}};
}

Failure readFailure(int status, const QStringList &lines)
{
    return {status, lines};
}

// Options of the form --name VALUE, and flags of the form --name; a name
// seen twice keeps its last value.
struct Options {
    QHash<QString, QString> values;
    QStringList flags;
    QStringList positional;
    QString error;
};

Options parseOptions(const QStringList &args, const QStringList &known, const QStringList &knownFlags = {})
{
    Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            options.positional.append(arg);
            continue;
        }
        const QString name = arg.mid(2);
        if (knownFlags.contains(name)) {
            options.flags.append(name);
            continue;
        }
        if (!known.contains(name)) {
            options.error = QStringLiteral("unknown option %1").arg(arg);
            return options;
        }
        if (i + 1 >= args.size()) {
            options.error = QStringLiteral("option %1 needs a value").arg(arg);
            return options;
        }
        options.values.insert(name, args[++i]);
    }
    return options;
}

// What an output format prints of a document.
enum class Printed { MapText, ServerPage, Svg };

// How each output format is produced from a document.
struct OutputFormat {
    const char *name;
    bool servermap;
    qint32 serverside_type;
    Printed printed;
};

constexpr OutputFormat OutputFormats[] = {
    {"html", false, Ncsa, Printed::MapText}, {"ncsa", true, Ncsa, Printed::MapText},
    {"cern", true, Cern, Printed::MapText},  {"page", true, Ncsa, Printed::ServerPage},
    {"svg", false, Ncsa, Printed::Svg},
};

// Why an option names no output format: it is missing from the command, or
// names none of the formats.
QString noFormat(const QString &name, QLatin1StringView commandAndOption)
{
    return name.isEmpty() ? commandAndOption + QLatin1String(" html|ncsa|cern|page|svg")
                          : QStringLiteral("unknown format %1 (html, ncsa, cern, page or svg)").arg(name);
}

// Only the picture's header is read; a picture that cannot be read leaves
// its size unknown (invalid).
QSize pictureSize(const MapDocument &doc)
{
    return doc.image_file.isEmpty() ? QSize() : QImageReader(doc.image_file).size();
}

const OutputFormat *outputFormat(const QString &name)
{
    for (const OutputFormat &format : OutputFormats)
        if (name == QLatin1String(format.name))
            return &format;
    return nullptr;
}

const QString ApacheCirclesFlag = QStringLiteral("apache-circles");

// Prints the document in the format, with the flags of the command line.
int printDocument(MapDocument &doc, const OutputFormat &format, const Options &options, Output &output)
{
    doc.ncsaApacheCircles = options.flags.contains(ApacheCirclesFlag);
    if (doc.ncsaApacheCircles
        && !(format.servermap && format.serverside_type == Ncsa && format.printed == Printed::MapText))
        return report(output, failure(ExitStatus::BadInput, QStringLiteral("--apache-circles is for the ncsa format")));
    doc.is_servermap = format.servermap;
    doc.serverside_type = format.serverside_type;
    if (format.printed == Printed::Svg) {
        const QSize picture = pictureSize(doc);
        if (picture.isEmpty())
            return report(output,
                          failure(ExitStatus::BadInput,
                                  QStringLiteral("cannot read the size of the picture \"%1\"").arg(doc.image_file)));
        output.out.write(calculate_svg(doc, picture, doc.map_file).toUtf8());
        return ExitStatus::Ok;
    }
    output.out.write(
        (format.printed == Printed::ServerPage ? calculate_server_html(doc) : calculate_html(doc)).toUtf8());
    return ExitStatus::Ok;
}

int runWrite(const QStringList &args, const QByteArray &input, Output &output)
{
    const Options options =
        parseOptions(args, {QStringLiteral("format"), QStringLiteral("map-file")}, {ApacheCirclesFlag});
    if (!options.error.isEmpty())
        return report(output, failure(ExitStatus::BadInput, options.error));
    if (!options.positional.isEmpty())
        return report(output, failure(ExitStatus::BadInput,
                                      QStringLiteral("unexpected argument %1").arg(options.positional.first())));
    const QString formatName = options.values.value(QStringLiteral("format"));
    const OutputFormat *format = outputFormat(formatName);
    if (!format)
        return report(output,
                      failure(ExitStatus::BadInput, noFormat(formatName, QLatin1String("write needs --format"))));

    DocumentFromJson read = documentFromJson(input);
    if (!read.document)
        return report(output, failure(ExitStatus::BadInput, read.error));
    if (options.values.contains(QStringLiteral("map-file")))
        read.document->map_file = absoluteFileName(options.values.value(QStringLiteral("map-file")));
    return printDocument(*read.document, *format, options, output);
}

const QStringList ReadOptions = {QStringLiteral("format"), QStringLiteral("map"), QStringLiteral("map-index"),
                                 QStringLiteral("page")};

// A document read from a file as the editor loads it, or why there is none.
struct ReadResult {
    std::optional<MapDocument> document;
    Failure failure;
};

ReadResult readClientMap(MapDocument doc, const QString &file, const Options &options)
{
    const bool byName = options.values.contains(QStringLiteral("map"));
    const bool byIndex = options.values.contains(QStringLiteral("map-index"));
    const QString name = options.values.value(QStringLiteral("map"));
    bool indexOk = true;
    const int index = options.values.value(QStringLiteral("map-index")).toInt(&indexOk);
    if (byName && byIndex)
        return {std::nullopt, failure(ExitStatus::BadInput, QStringLiteral("give --map or --map-index, not both"))};
    if (byIndex && (!indexOk || index < 0))
        return {std::nullopt, failure(ExitStatus::BadInput, QStringLiteral("--map-index needs a number from 0"))};

    // The maps of the page, when it has several, and whether the choice
    // named one of them.
    QStringList offered;
    bool chosen = true;
    ReaderServices services;
    services.chooseMap = [&](const QStringList &names) {
        offered = names;
        const int choice = byName ? int(names.indexOf(name)) : byIndex && index < names.size() ? index : -1;
        chosen = choice >= 0;
        return choice;
    };
    const MapReadResult read = analyze_client_map(doc, MapTextSource::file(file), services);
    // With one map nobody is asked, but a choice must still name that map.
    if (read.outcome == ReadOutcome::Done && offered.isEmpty()
        && ((byName && doc.map_name != name) || (byIndex && index != 0))) {
        offered = {doc.map_name};
        chosen = false;
    }
    if (!chosen) {
        const QString choiceProblem =
            byName    ? QStringLiteral("no map named %1").arg(name)
            : byIndex ? QStringLiteral("no map with index %1").arg(index)
                      : QStringLiteral("the page holds several maps; choose one with --map or --map-index");
        QStringList lines = {choiceProblem + QStringLiteral("; the maps are:")};
        for (qsizetype i = 0; i < offered.size(); ++i)
            lines.append(QStringLiteral("  %1  %2").arg(i).arg(offered[i]));
        return {std::nullopt, readFailure(ExitStatus::BadInput, lines)};
    }
    if (read.outcome != ReadOutcome::Done)
        return {std::nullopt, readFailure(ExitStatus::ReadFailed, read.message.split(u'\n'))};
    return {std::move(doc), {}};
}

ReadResult readServerMap(MapDocument doc, const QString &file, qint32 format, const Options &options)
{
    if (options.values.contains(QStringLiteral("map")) || options.values.contains(QStringLiteral("map-index")))
        return {std::nullopt,
                failure(ExitStatus::BadInput, QStringLiteral("--map and --map-index are for HTML pages"))};
    doc.is_servermap = true;
    doc.serverside_type = format;
    if (options.values.contains(QStringLiteral("page"))) {
        const QString page = absoluteFileName(options.values.value(QStringLiteral("page")));
        const MapReadResult read = analyze_server_html(doc, page, ReaderServices());
        if (read.outcome != ReadOutcome::Done)
            return {std::nullopt, readFailure(ExitStatus::ReadFailed, read.message.split(u'\n'))};
        doc.server_html_file = page;
    }
    const ServerMapResult result = analyze_server_map(doc, MapTextSource::file(file), format);
    if (!result.ok) {
        QStringList lines = result.message().split(u'\n');
        if (result.line > 0)
            lines.first().prepend(QStringLiteral("%1, line %2: ").arg(file).arg(result.line));
        return {std::nullopt, readFailure(ExitStatus::ReadFailed, lines)};
    }
    return {std::move(doc), {}};
}

ReadResult readDocument(const Options &options)
{
    if (options.positional.size() != 1)
        return {std::nullopt, failure(ExitStatus::BadInput,
                                      options.positional.isEmpty()
                                          ? QStringLiteral("name the file to read")
                                          : QStringLiteral("unexpected argument %1").arg(options.positional[1]))};
    const QString file = absoluteFileName(options.positional.first());
    const bool mapFile = QFileInfo(file).suffix().compare(QLatin1String("map"), Qt::CaseInsensitive) == 0;
    const QString format =
        options.values.value(QStringLiteral("format"), mapFile ? QStringLiteral("ncsa") : QStringLiteral("html"));
    // Loading sets the map file first: relative picture references are
    // resolved against it.
    MapDocument doc;
    doc.map_file = file;
    if (format == QLatin1String("html")) {
        if (options.values.contains(QStringLiteral("page")))
            return {std::nullopt, failure(ExitStatus::BadInput, QStringLiteral("--page is for server-side map files"))};
        return readClientMap(std::move(doc), file, options);
    }
    if (format == QLatin1String("ncsa") || format == QLatin1String("cern"))
        return readServerMap(std::move(doc), file, format == QLatin1String("cern") ? Cern : Ncsa, options);
    return {std::nullopt,
            failure(ExitStatus::BadInput, QStringLiteral("unknown format %1 (html, ncsa or cern)").arg(format))};
}

// Reads the document that the arguments name, with the read options, and
// runs the command on it.
int withReadDocument(const QStringList &args, Output &output, const std::function<int(const MapDocument &)> &command)
{
    const Options options = parseOptions(args, ReadOptions);
    if (!options.error.isEmpty())
        return report(output, failure(ExitStatus::BadInput, options.error));
    const ReadResult read = readDocument(options);
    if (!read.document)
        return report(output, read.failure);
    return command(*read.document);
}

int runRead(const QStringList &args, const QByteArray &, Output &output)
{
    return withReadDocument(args, output, [&](const MapDocument &doc) {
        writeDocumentJson(doc, output.out);
        return ExitStatus::Ok;
    });
}

int runConvert(const QStringList &args, const QByteArray &, Output &output)
{
    const Options options = parseOptions(
        args, ReadOptions + QStringList{QStringLiteral("to"), QStringLiteral("map-file")}, {ApacheCirclesFlag});
    if (!options.error.isEmpty())
        return report(output, failure(ExitStatus::BadInput, options.error));
    const QString target = options.values.value(QStringLiteral("to"));
    const OutputFormat *format = outputFormat(target);
    if (!format)
        return report(output, failure(ExitStatus::BadInput, noFormat(target, QLatin1String("convert needs --to"))));
    ReadResult read = readDocument(options);
    if (!read.document)
        return report(output, read.failure);
    if (options.values.contains(QStringLiteral("map-file")))
        read.document->map_file = absoluteFileName(options.values.value(QStringLiteral("map-file")));
    return printDocument(*read.document, *format, options, output);
}

int runCheck(const QStringList &args, const QByteArray &, Output &output)
{
    return withReadDocument(args, output, [&](const MapDocument &doc) {
        const std::vector<MapFinding> findings = checkMap(doc, pictureSize(doc));
        for (const MapFinding &finding : findings)
            output.out.write(finding.text.toUtf8() + '\n');
        return findings.empty() ? ExitStatus::Ok : ExitStatus::ProblemsFound;
    });
}

int runHit(const QStringList &args, const QByteArray &input, Output &output)
{
    QList<QPoint> points;
    for (const QString &arg : args) {
        const QStringList xy = arg.split(u',');
        bool xOk = false, yOk = false;
        const int x = xy.value(0).toInt(&xOk);
        const int y = xy.value(1).toInt(&yOk);
        if (xy.size() != 2 || !xOk || !yOk)
            return report(output, failure(ExitStatus::BadInput, QStringLiteral("%1 is not a point X,Y").arg(arg)));
        points.append({x, y});
    }
    if (points.isEmpty())
        return report(output, failure(ExitStatus::BadInput, QStringLiteral("hit needs points X,Y")));
    const DocumentFromJson read = documentFromJson(input);
    if (!read.document)
        return report(output, failure(ExitStatus::BadInput, read.error));
    for (const QPoint &point : points) {
        QByteArray line = QByteArray::number(point.x()) + ',' + QByteArray::number(point.y());
        const QList<int> holding = liveAreasHolding(*read.document, point);
        if (holding.isEmpty())
            line += " -";
        for (int position : holding)
            line += ' ' + QByteArray::number(position);
        output.out.write(line + '\n');
    }
    return ExitStatus::Ok;
}

int runHelp(const QStringList &, const QByteArray &, Output &output)
{
    output.out.write(Usage);
    return ExitStatus::Ok;
}

using Command = std::function<int(const QStringList &, const QByteArray &, Output &)>;

const QHash<QString, Command> &commands()
{
    static const QHash<QString, Command> table = {
        {QStringLiteral("write"), runWrite},     {QStringLiteral("read"), runRead},
        {QStringLiteral("convert"), runConvert}, {QStringLiteral("hit"), runHit},
        {QStringLiteral("check"), runCheck},     {QStringLiteral("help"), runHelp},
        {QStringLiteral("--help"), runHelp},     {QStringLiteral("-h"), runHelp},
    };
    return table;
}

} // namespace

int runMapTool(const QStringList &args, const QByteArray &standardInput, QIODevice &out, QIODevice &err)
{
    Output output{out, err};
    if (args.isEmpty()) {
        err.write(Usage);
        return ExitStatus::BadInput;
    }
    const auto command = commands().constFind(args.first());
    if (command == commands().constEnd())
        return report(output, failure(ExitStatus::BadInput,
                                      QStringLiteral("unknown command %1 (try zonari-map help)").arg(args.first())));
    return (*command)(args.mid(1), standardInput, output);
}

ToolRun runMapTool(const QStringList &args, const QByteArray &standardInput)
{
    ToolRun run;
    QBuffer out(&run.out);
    QBuffer err(&run.err);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    run.status = runMapTool(args, standardInput, out, err);
    return run;
}
