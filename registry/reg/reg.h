// reg: the store from the command line. One entry point per command, each in its own file.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace registry::reg {

using Args = std::vector<std::string>;

struct Context {
    RegistryApi& api;
    std::ostream& out;  // results, UTF-8
    std::ostream& err;  // one "ERROR: ..." line on failure
    std::istream& in;   // answers to the Yes/No questions
    // What is wrong with the store, if anything (said when a call fails for it).
    std::function<std::string()> storeProblem = [] { return std::string(); };
};

struct RegFileKey;

// `args` are the arguments after the command name. Each returns the exit status:
// 0 on success, 1 on failure (with one line on ctx.err).
int query(Context& ctx, const Args& args);       // query.cpp
int add(Context& ctx, const Args& args);         // add.cpp
int remove(Context& ctx, const Args& args);      // delete.cpp
int exportKey(Context& ctx, const Args& args);   // export.cpp
int importFile(Context& ctx, const Args& args);  // import.cpp

// The most bytes reg import reads from one file, and that limit for people.
inline constexpr std::size_t kImportLimitBytes = 16 * 1024 * 1024;
std::string importLimitText();

// Applies checked keys from parseRegFile in order (import.cpp). On failure the status
// of the first write that failed, and `failedKey` is the index of its key.
LONG applyRegFile(RegistryApi& api, const std::vector<RegFileKey>& keys, std::size_t& failedKey);

// The whole command line after the program name: picks the command (commands.cpp).
int run(Context& ctx, const Args& args);
// Help ("reg /?", "reg add /?" and -h, /h, -?) and --version, which need no store:
// the exit status, or nothing for a command line that needs the store.
std::optional<int> answerWithoutStore(const Args& args, std::ostream& out);
void printUsage(std::ostream& out);
bool isHelp(std::string_view arg);

// What reg says (console.cpp).
int fail(Context& ctx, std::string_view message);
int failStatus(Context& ctx, LONG status);
std::string statusText(Context& ctx, LONG status);
int succeed(Context& ctx);
// Asks a Yes/No question on ctx.out and reads the answer from ctx.in.
bool confirm(Context& ctx, std::string_view question);

}  // namespace registry::reg
