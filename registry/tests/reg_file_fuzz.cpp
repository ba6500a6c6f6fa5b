// Fuzzing the .reg reader: no input crashes it, what it accepts the store can hold
// (names within its limits, no NULs), and what it reads writes back and reads the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "registry/reg/reg_file.h"

namespace {

bool same(const std::vector<registry::reg::RegFileKey>& a, const std::vector<registry::reg::RegFileKey>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].remove != b[i].remove || a[i].values.size() != b[i].values.size())
            return false;
        for (size_t j = 0; j < a[i].values.size(); ++j) {
            const auto& x = a[i].values[j];
            const auto& y = b[i].values[j];
            if (x.name != y.name || x.remove != y.remove || (!x.remove && (x.type != y.type || x.data != y.data)))
                return false;
        }
    }
    return true;
}

// Key paths split at backslashes that are not the second byte of a double-byte character.
bool withinLimits(const registry::reg::RegFileKey& k) {
    std::vector<size_t> parts{0};  // byte count of each name, the root's first
    for (size_t i = 0; i < k.path.size(); ++i) {
        auto c = static_cast<unsigned char>(k.path[i]);
        if (c == 0) return false;
        if (c >= 0x81 && c <= 0xFE && i + 1 < k.path.size()) {
            parts.back() += 2;
            ++i;
        } else if (c == '\\') {
            parts.push_back(0);
        } else {
            ++parts.back();
        }
    }
    if (parts.size() - 1 > 512) return false;
    for (size_t n : parts)
        if (n == 0 || n > 255) return false;
    for (const auto& v : k.values)
        if (v.name.find('\0') != std::string::npos || v.name.size() > 16383) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<registry::reg::RegFileKey> keys, again;
    std::string error, text;
    if (!registry::reg::parseRegFile(input, keys, error)) return 0;
    for (const auto& k : keys)
        if (!withinLimits(k)) std::abort();
    // REGEDIT4 keeps every byte; Version 5.00 too, but for data it warns of.
    using registry::reg::RegFormat;
    std::vector<std::string> warnings;
    for (RegFormat format : {RegFormat::Regedit4, RegFormat::Version5}) {
        if (!registry::reg::writeRegFile(keys, format, text, error, &warnings)) continue;
        if (!registry::reg::parseRegFile(text, again, error) || (warnings.empty() && !same(keys, again))) std::abort();
    }
    return 0;
}
