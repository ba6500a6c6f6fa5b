// Root names and KEY arguments of the reg command.
#include "registry/reg/key_arg.h"

#include <array>
#include <cctype>

#include "platform/codepage.h"
#include "registry/key_path.h"

namespace registry::reg {
namespace {

struct RootName {
    std::string_view full;
    std::string_view shortName;  // empty: only the full name is accepted
    HKEY root;
};

constexpr std::array<RootName, 7> kRootNames{{
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},
    {"HKEY_USERS", "HKU", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
    {"HKEY_PERFORMANCE_DATA", "", HKEY_PERFORMANCE_DATA},
    {"HKEY_DYN_DATA", "", HKEY_DYN_DATA},
}};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Root names are ASCII, so the first backslash ends the root in UTF-8 and code page 936 alike.
bool splitRoot(std::string_view path, bool shortNames, KeyArg& out, std::string_view& rest) {
    size_t slash = path.find('\\');
    std::string_view rootPart = path.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    for (const RootName& r : kRootNames) {
        if (sameIgnoringCase(rootPart, r.full) ||
            (shortNames && !r.shortName.empty() && sameIgnoringCase(rootPart, r.shortName))) {
            out.root = r.root;
            out.rootName = std::string(r.full);
            return true;
        }
    }
    return false;
}

}  // namespace

std::string KeyArg::ansiPath() const { return subKey.empty() ? rootName : rootName + "\\" + subKey; }

std::string KeyArg::display() const { return platform::cp936ToUtf8(ansiPath()); }

KeyArg KeyArg::child(std::string_view name) const {
    KeyArg c = *this;
    c.subKey = subKey.empty() ? std::string(name) : subKey + "\\" + std::string(name);
    return c;
}

bool parseKeyArg(std::string_view utf8, KeyArg& out, std::string& error) {
    out = {};
    while (!utf8.empty() && utf8.back() == '\\') utf8.remove_suffix(1);
    std::string_view rest;
    if (!splitRoot(utf8, true, out, rest)) {
        error = "Invalid key name: the key must begin with HKLM, HKCU, HKCR, HKU or HKCC.";
        return false;
    }
    if (!platform::utf8ToCp936(rest, out.subKey)) {
        error = "Invalid key name: it has characters that code page 936 cannot hold.";
        return false;
    }
    return true;
}

bool parseAnsiKeyPath(std::string_view cp936, KeyArg& out) {
    out = {};
    std::string_view rest;
    if (!splitRoot(cp936, false, out, rest)) return false;
    out.subKey = std::string(rest);
    return true;
}

}  // namespace registry::reg
