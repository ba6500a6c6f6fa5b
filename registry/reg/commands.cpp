// The reg commands by name, their help texts, and the answers that need no store.
#include <algorithm>
#include <array>
#include <ostream>

#include "registry/ascii_case.h"
#include "registry/reg/file_text.h"
#include "registry/reg/reg.h"

#ifndef SUITE_VERSION
#define SUITE_VERSION "unknown"
#endif

namespace registry::reg {
namespace {

constexpr std::string_view kKeyHelp =
    "  KEY        ROOT\\SubKey; ROOT is HKLM, HKCU, HKCR, HKU, HKCC or a full root name\n"
    "             such as HKEY_CURRENT_USER. One trailing backslash is ignored, so\n"
    "             HKCU\\ is the root key itself (reg add refuses it: write to HKCU).\n";

struct Command {
    std::string_view name;
    int (*run)(Context&, const Args&);
    std::string_view usage;
    std::string_view help;  // what follows the usage line in "reg COMMAND /?"
};

constexpr std::array<Command, 5> kCommands{{
    {"query", query, "reg query KEY [/v NAME | /ve] [/s] [/se SEPARATOR]",
     "Lists the values and sub-keys of KEY.\n\n"
     "  /v NAME    only the value NAME (any case)\n"
     "  /ve        only the default (unnamed) value, shown as (Default)\n"
     "  /s         every key below KEY too; with /v or /ve it counts the matches\n"
     "  /se SEP    the character shown between the strings of REG_MULTI_SZ data\n"
     "             (default \\0)\n\n"
     "Text is shown as it reads, numbers as 0x..., other data as hex digits.\n\n"
     "Examples:\n"
     "  reg query 'HKCU\\Control Panel\\desktop' /v Wallpaper\n"
     "  reg query 'HKCU\\Software' /s\n"},
    {"add", add, "reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]",
     "Creates KEY with every missing key above it, and writes a value. With neither\n"
     "/v nor /ve the default value is written, as empty text unless /t and /d say\n"
     "otherwise.\n\n"
     "  /v NAME    the value to write\n"
     "  /ve        the default (unnamed) value\n"
     "  /t TYPE    REG_SZ (when /t is left out), REG_EXPAND_SZ, REG_MULTI_SZ,\n"
     "             REG_DWORD, REG_QWORD, REG_DWORD_BIG_ENDIAN, REG_BINARY, REG_NONE,\n"
     "             REG_LINK, REG_RESOURCE_LIST, REG_FULL_RESOURCE_DESCRIPTOR,\n"
     "             REG_RESOURCE_REQUIREMENTS_LIST (REG_DWORD_LITTLE_ENDIAN is REG_DWORD)\n"
     "  /s SEP     the character between the strings of REG_MULTI_SZ data (default\n"
     "             the two characters \\0); an empty string cannot be listed\n"
     "  /d DATA    text for the text types and REG_NONE; a number, decimal or 0x\n"
     "             hex, which REG_DWORD and REG_DWORD_BIG_ENDIAN require (REG_QWORD is\n"
     "             0 without /d); hex digits for the other types (/d 3030 is two\n"
     "             bytes, and an odd count reads with a leading 0: /d 303 is 03 03)\n"
     "  /f         overwrite an existing value without asking\n\n"
     "Examples:\n"
     "  reg add 'HKCU\\Software\\Demo' /v Data /t REG_BINARY /d fe340ead\n"
     "  reg add 'HKCU\\Software\\Demo' /v MRU /t REG_MULTI_SZ /d 'fax\\0mail'\n"
     "  reg add 'HKCU\\Software\\Demo' /v Path /t REG_EXPAND_SZ /d '%SystemRoot%\\system32'\n"},
    {"delete", remove, "reg delete KEY [/v NAME | /ve | /va] [/f]",
     "Deletes KEY with everything below it, or only values of KEY.\n\n"
     "  /v NAME    only the value NAME\n"
     "  /ve        only the default (unnamed) value\n"
     "  /va        every value of KEY (its sub-keys stay)\n"
     "  /f         delete without asking\n\n"
     "A root key cannot be deleted.\n\n"
     "Example:\n"
     "  reg delete 'HKCU\\Software\\Demo' /v MRU /f\n"},
    {"export", exportKey, "reg export KEY FILE [/a] [/y]",
     "Writes KEY and everything below it to FILE as a .reg file: Windows Registry\n"
     "Editor Version 5.00, UTF-16LE with a byte-order mark and CRLF lines, as the\n"
     "platform's editor writes it. Text that a quoted string cannot carry exactly\n"
     "is written as hex(1):, so importing the file gives back the same text.\n\n"
     "  FILE       the file to write; it is replaced as a whole, or left as it was\n"
     "             when the new file cannot be written. - or /dev/stdout is standard\n"
     "             output; a pipe or a character device is written as it stands; a\n"
     "             symbolic link is refused, neither followed nor replaced\n"
     "  /a         REGEDIT4 instead, in code page 936, for older readers; it keeps\n"
     "             every byte of any value\n"
     "  /y         replace an existing FILE without asking\n\n"
     "The switches come after KEY and FILE.\n\n"
     "Example:\n"
     "  reg export 'HKCU\\Software\\Demo' demo.reg /y\n"},
    {"import", importFile, "reg import FILE",
     "Applies a .reg file: REGEDIT4 (code page 936) or Windows Registry Editor\n"
     "Version 5.00 (UTF-16LE with a byte-order mark, UTF-8, or ASCII). [KEY] creates\n"
     "a key, [-KEY] deletes one, \"name\"=- and @=- delete values; lines starting\n"
     "with ; or # and ;comments after a value are skipped. A \\ ending a line of a\n"
     "hex list goes on with the next line that is neither blank nor a ; comment.\n\n"
     "The whole file is checked before anything is written; a file with a fault\n"
     "changes nothing and the message names its line. FILE must be a regular file\n"
     "of at most @LIMIT@.\n\n"
     "Example:\n"
     "  reg import demo.reg\n"},
}};

const Command* find(std::string_view name) {
    for (const Command& c : kCommands)
        if (sameIgnoringAsciiCase(c.name, name)) return &c;
    return nullptr;
}

void printHelp(std::ostream& out, const Command& c) {
    std::string help(c.help);
    if (size_t at = help.find("@LIMIT@"); at != std::string::npos) help.replace(at, 7, importLimitText());
    out << c.usage << "\n\n" << help << '\n' << kKeyHelp << "\nExit status: 0 on success, 1 on failure.\n";
}

}  // namespace

void printUsage(std::ostream& out) {
    out << "reg: reads and changes the suite's registry store.\n\n";
    for (const Command& c : kCommands) out << "  " << c.usage << '\n';
    out << "\n" << kKeyHelp
        << "\n"
           "reg COMMAND /? shows what one command does; reg --version shows the version.\n"
           "In a shell, put key paths in single quotes: 'HKCU\\Software\\Demo'.\n"
           "reg import reads .reg files of at most "
        << importLimitText()
        << ".\n"
           "Exit status: 0 on success, 1 on failure, with one ERROR: line.\n";
}

bool isHelp(std::string_view arg) {
    return arg == "/?" || arg == "-?" || sameIgnoringAsciiCase(arg, "/h") || sameIgnoringAsciiCase(arg, "-h") || arg == "--help";
}

std::optional<int> answerWithoutStore(const Args& args, std::ostream& out) {
    if (!args.empty() && isHelp(args[0])) {
        printUsage(out);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        out << "reg " << SUITE_VERSION << '\n';
        return 0;
    }
    if (args.size() >= 2 && isHelp(args[1]))
        if (const Command* c = find(args[0])) {
            printHelp(out, *c);
            return 0;
        }
    return std::nullopt;
}

int run(Context& ctx, const Args& args) {
    if (std::optional<int> status = answerWithoutStore(args, ctx.out)) return *status;
    if (args.empty()) return fail(ctx, "Invalid syntax: a command is needed (reg /? lists the commands).");
    if (const Command* c = find(args[0])) return c->run(ctx, Args(args.begin() + 1, args.end()));
    return fail(ctx, "Invalid syntax: unknown command " + excerpt(args[0]) + " (reg /? lists the commands).");
}

}  // namespace registry::reg
