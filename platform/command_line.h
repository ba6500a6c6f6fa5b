// The command line every program of the suite answers: --help, --version, and the
// few arguments and switches a program takes.
#pragma once

#include <initializer_list>

#include <QString>
#include <QStringList>

namespace platform {

struct CommandLineSwitch {
    const char* name;         // long name, without the dashes
    const char* description;  // one line for --help
};

struct ProgramUsage {
    const char* description;            // what the program does, one line for --help
    const char* argument = nullptr;     // name of the optional positional argument, if any
    const char* argumentHelp = nullptr; // one line for it
    std::initializer_list<CommandLineSwitch> switches = {};
};

struct CommandLine {
    QStringList arguments;  // the positional arguments
    QStringList switches;   // the names of the switches given
    bool has(const char* name) const { return switches.contains(QLatin1String(name)); }
};

// Reads argv before the application object exists, so that --help and --version
// print and exit 0 without a display. An unknown option or a surplus argument
// prints the reason with the usage and exits 2. The options Qt's GUI application
// reads itself (-platform, -display, -style, ...) are left to it. With no
// arguments at all it returns at once, costing the start nothing.
CommandLine readCommandLine(int argc, char** argv, const ProgramUsage& usage);

}  // namespace platform
