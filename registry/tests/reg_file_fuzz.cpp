// Fuzzing the .reg reader: no input crashes it, and what it reads writes back and reads the same.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<registry::reg::RegFileKey> keys, again;
    std::string error, text;
    if (!registry::reg::parseRegFile(input, keys, error)) return 0;
    if (!registry::reg::writeRegFile(keys, text, error)) return 0;
    if (!registry::reg::parseRegFile(text, again, error) || !same(keys, again)) std::abort();
    return 0;
}
