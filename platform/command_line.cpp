// --help and --version for every program, through QCommandLineParser on a short-lived
// core application.
#include "platform/command_line.h"

#include <cstdio>
#include <cstdlib>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

namespace platform {
namespace {

// What QGuiApplication and QApplication take from the command line themselves.
constexpr const char* kQtValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "display", "geometry", "style", "stylesheet", "session", "name", "title"};
constexpr const char* kQtFlagOptions[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

}  // namespace

CommandLine readCommandLine(int argc, char** argv, const ProgramUsage& usage) {
    CommandLine result;
    if (argc <= 1) return result;

    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(usage.description));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const CommandLineSwitch& s : usage.switches)
        parser.addOption(QCommandLineOption(QString::fromLatin1(s.name), QString::fromUtf8(s.description)));
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    if (usage.argument)
        parser.addPositionalArgument(QString::fromUtf8(usage.argument), QString::fromUtf8(usage.argumentHelp),
                                     QStringLiteral("[%1]").arg(QString::fromUtf8(usage.argument)));

    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.isSet(version)) parser.showVersion();
    QString error = parsed ? QString() : parser.errorText();
    const QStringList positional = parser.positionalArguments();
    if (error.isEmpty() && positional.size() > (usage.argument ? 1 : 0))
        error = QStringLiteral("unexpected argument '%1'").arg(positional.value(usage.argument ? 1 : 0));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n\n%s", qPrintable(QCoreApplication::applicationName()), qPrintable(error),
                     qPrintable(parser.helpText()));
        std::exit(2);
    }
    result.arguments = positional;
    for (const CommandLineSwitch& s : usage.switches)
        if (parser.isSet(QString::fromLatin1(s.name))) result.switches << QString::fromLatin1(s.name);
    return result;
}

}  // namespace platform
