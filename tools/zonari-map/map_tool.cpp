#include "map_tool.h"

#include "formats/document_json.h"
#include "formats/map_writer.h"

#include <QHash>

#include <functional>

namespace {

const char *const Usage =
    "Usage: zonari-map COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  write --format html|ncsa|cern|page [--map-file PATH]\n"
    "      Reads a map document as JSON on standard input and prints the map\n"
    "      text of that format (or the HTML page of a server-side map) exactly\n"
    "      as the editor writes it.\n"
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

ToolRun failure(int status, const QString &message)
{
    return {QByteArray(), "zonari-map: " + message.toUtf8() + '\n', status};
}

// Options of the form --name VALUE; a name seen twice keeps its last value.
struct Options {
    QHash<QString, QString> values;
    QStringList positional;
    QString error;
};

Options parseOptions(const QStringList &args, const QStringList &known)
{
    Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            options.positional.append(arg);
            continue;
        }
        const QString name = arg.mid(2);
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

// How each output format is produced from a document.
struct OutputFormat {
    const char *name;
    bool servermap;
    qint32 serverside_type;
    bool page;
};

constexpr OutputFormat OutputFormats[] = {
    {"html", false, Ncsa, false},
    {"ncsa", true, Ncsa, false},
    {"cern", true, Cern, false},
    {"page", true, Ncsa, true},
};

const OutputFormat *outputFormat(const QString &name)
{
    for (const OutputFormat &format : OutputFormats)
        if (name == QLatin1String(format.name))
            return &format;
    return nullptr;
}

QByteArray writeDocument(MapDocument &doc, const OutputFormat &format)
{
    doc.is_servermap = format.servermap;
    doc.serverside_type = format.serverside_type;
    return (format.page ? calculate_server_html(doc) : calculate_html(doc)).toUtf8();
}

ToolRun runWrite(const QStringList &args, const QByteArray &input)
{
    const Options options = parseOptions(args, {QStringLiteral("format"), QStringLiteral("map-file")});
    if (!options.error.isEmpty())
        return failure(ExitStatus::BadInput, options.error);
    if (!options.positional.isEmpty())
        return failure(ExitStatus::BadInput, QStringLiteral("unexpected argument %1").arg(options.positional.first()));
    const QString formatName = options.values.value(QStringLiteral("format"));
    const OutputFormat *format = outputFormat(formatName);
    if (!format)
        return failure(ExitStatus::BadInput, formatName.isEmpty()
                                                 ? QStringLiteral("write needs --format html|ncsa|cern|page")
                                                 : QStringLiteral("unknown format %1 (html, ncsa, cern or page)").arg(formatName));

    DocumentFromJson read = documentFromJson(input);
    if (!read.document)
        return failure(ExitStatus::BadInput, read.error);
    if (options.values.contains(QStringLiteral("map-file")))
        read.document->map_file = options.values.value(QStringLiteral("map-file"));
    return {writeDocument(*read.document, *format), QByteArray(), ExitStatus::Ok};
}

ToolRun runHelp(const QStringList &, const QByteArray &)
{
    return {QByteArray(Usage), QByteArray(), ExitStatus::Ok};
}

using Command = std::function<ToolRun(const QStringList &, const QByteArray &)>;

const QHash<QString, Command> &commands()
{
    static const QHash<QString, Command> table = {
        {QStringLiteral("write"), runWrite},
        {QStringLiteral("help"), runHelp},
        {QStringLiteral("--help"), runHelp},
        {QStringLiteral("-h"), runHelp},
    };
    return table;
}

} // namespace

ToolRun runMapTool(const QStringList &args, const QByteArray &standardInput)
{
    if (args.isEmpty())
        return {QByteArray(), QByteArray(Usage), ExitStatus::BadInput};
    const auto command = commands().constFind(args.first());
    if (command == commands().constEnd())
        return failure(ExitStatus::BadInput, QStringLiteral("unknown command %1 (try zonari-map help)").arg(args.first()));
    return (*command)(args.mid(1), standardInput);
}
