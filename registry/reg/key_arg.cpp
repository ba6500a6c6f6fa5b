// Root names and KEY arguments of the reg command.
#include "registry/reg/key_arg.h"

#include "platform/codepage.h"
#include "registry/ascii_case.h"
#include "registry/key_path.h"

namespace registry::reg {
namespace {

// Root names are ASCII, so the first backslash ends the root in UTF-8 and code page 936 alike.
bool splitRoot(std::string_view path, bool shortNames, KeyArg& out, std::string_view& rest) {
    size_t slash = path.find('\\');
    std::string_view rootPart = path.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    for (const RootKey& r : RootKeys()) {
        if (sameIgnoringAsciiCase(rootPart, r.name) ||
            (shortNames && !r.shortName.empty() && sameIgnoringAsciiCase(rootPart, r.shortName))) {
            out.root = r.handle;
            out.rootName = std::string(r.name);
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
    // One trailing backslash is dropped; more leave an empty key name at the end.
    if (utf8.size() >= 2 && utf8.substr(utf8.size() - 2) == "\\\\") {
        error = "Invalid key name.";
        return false;
    }
    if (!utf8.empty() && utf8.back() == '\\') utf8.remove_suffix(1);
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
