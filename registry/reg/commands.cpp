// The reg commands by name, and the usage text.
#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>

#include "registry/reg/reg.h"

namespace registry::reg {
namespace {

struct Command {
    std::string_view name;
    int (*run)(Context&, const Args&);
    std::string_view usage;
};

constexpr std::array<Command, 5> kCommands{{
    {"query", query, "reg query KEY [/v NAME | /ve] [/s]"},
    {"add", add, "reg add KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD|REG_BINARY|...] [/d DATA] [/f]"},
    {"delete", remove, "reg delete KEY [/v NAME | /ve | /va] [/f]"},
    {"export", exportKey, "reg export KEY FILE [/y]"},
    {"import", importFile, "reg import FILE"},
}};

}  // namespace

void printUsage(std::ostream& out) {
    out << "Reads and changes the suite's registry store.\n\n";
    for (const Command& c : kCommands) out << "  " << c.usage << '\n';
    out << "\nKEY is ROOT\\SubKey, ROOT one of HKLM, HKCU, HKCR, HKU, HKCC or their full names.\n"
           "/ve is the default (unnamed) value. REG_BINARY data is hex (/d 3030 is the bytes 30 30);\n"
           "REG_DWORD data is decimal or 0x hex. Files are REGEDIT4 text in code page 936.\n";
}

bool isHelp(std::string_view arg) { return arg == "/?" || arg == "-?" || arg == "-h" || arg == "--help"; }

int run(Context& ctx, const Args& args) {
    if (args.empty()) return fail(ctx, "Invalid syntax: a command is needed (reg /? lists the commands).");
    if (isHelp(args[0])) {
        printUsage(ctx.out);
        return 0;
    }
    for (const Command& c : kCommands)
        if (c.name.size() == args[0].size() &&
            std::equal(c.name.begin(), c.name.end(), args[0].begin(),
                       [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
            return c.run(ctx, Args(args.begin() + 1, args.end()));
    return fail(ctx, "Invalid syntax: unknown command " + args[0] + " (reg /? lists the commands).");
}

}  // namespace registry::reg
