// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/icon_list.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

void describeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Zonari, an editor for HTML image maps."));
    // Qt's own options (-platform, -reverse, ...) are single words, not
    // bundles of letters that could spell -v or -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A picture to draw a new map on, an HTML page whose client-side "
                                                "map to edit, or a server-side map file."),
                                 QStringLiteral("[FILE]"));
}

// Help and version are printed without a window, so they work where no
// display is.
void answerInformationOptions(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.parse(arguments);
    // Both answers end the program; Qt's own options around them do not matter.
    static const QStringList help = {QStringLiteral("h"), QStringLiteral("?"), QStringLiteral("help"),
                                     QStringLiteral("help-all")};
    static const QStringList version = {QStringLiteral("v"), QStringLiteral("version")};
    for (const QString &option : parser.optionNames()) {
        if (version.contains(option))
            parser.showVersion();
        if (help.contains(option)) {
            const QCoreApplication app(argc, argv); // the help names the program as it was called
            parser.showHelp();
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("zonari"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZONARI_VERSION));
    answerInformationOptions(argc, argv);

    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("zonari"));
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fputs("zonari: only one file can be opened at a time\n", stderr);
        return 1;
    }
    Form1 window;
    window.show();
    // Once the window is up, so the file's dialogs stand over it.
    if (!files.isEmpty())
        QMetaObject::invokeMethod(
            &window, [&window, file = files.first()] { window.openFile(file); }, Qt::QueuedConnection);
    return QApplication::exec();
}
