// What reg tells the user: the success line, the one-line errors, the Yes/No questions.
#include <array>
#include <iostream>
#include <string>
#include <utility>

#include "registry/reg/reg.h"

namespace registry::reg {
namespace {

constexpr std::string_view kNotFound = "The system was unable to find the specified registry key or value.";

constexpr std::array<std::pair<LONG, std::string_view>, 8> kStatusText{{
    {ERROR_FILE_NOT_FOUND, kNotFound},
    {ERROR_KEY_DELETED, kNotFound},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_BUSY, "The registry store is in use by another program; nothing was changed."},
    {ERROR_BADDB, "The registry store cannot be used."},
    {ERROR_BAD_PATHNAME, "Invalid key name."},
    {ERROR_INVALID_PARAMETER, "Invalid key or value name."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
}};

}  // namespace

int fail(Context& ctx, std::string_view message) {
    ctx.err << "ERROR: " << message << '\n';
    return 1;
}

std::string statusText(Context& ctx, LONG status) {
    std::string text = "The registry store failed (status " + std::to_string(status) + ").";
    for (const auto& [code, message] : kStatusText)
        if (code == status) text = message;
    // A store that is damaged or read-only says why in its own words.
    if (status == ERROR_BADDB || status == ERROR_ACCESS_DENIED || status == ERROR_WRITE_FAULT)
        if (std::string problem = ctx.storeProblem(); !problem.empty()) text = problem;
    return text;
}

int failStatus(Context& ctx, LONG status) { return fail(ctx, statusText(ctx, status)); }

int succeed(Context& ctx) {
    ctx.out << "The operation completed successfully.\n";
    return 0;
}

bool confirm(Context& ctx, std::string_view question) {
    ctx.out << question << " (Yes/No)? " << std::flush;
    std::string answer;
    if (!std::getline(ctx.in, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes" || answer == "YES";
}

}  // namespace registry::reg
