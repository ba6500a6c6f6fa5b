// The seed a new store starts with: without these keys every write of systune would
// fall on a missing key, since writes never create keys.
#include "registry/store_seed.h"

#include <array>

namespace registry {
namespace {

using namespace std::string_view_literals;

// The CD-drive key systune writes names one particular drive and is left out.
constexpr std::array<SeedEntry, 7> kSeed{{
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", nullptr, REG_NONE, {}},
    {HKEY_CLASSES_ROOT, "lnkfile", "IsShortcut", REG_SZ, ""sv},
    {HKEY_CLASSES_ROOT, "piffile", "IsShortcut", REG_SZ, ""sv},
    {HKEY_USERS, ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "link", REG_BINARY,
     "\x1e\x00\x00\x00"sv},
    {HKEY_CURRENT_USER, "Control Panel\\desktop", nullptr, REG_NONE, {}},
    {HKEY_CURRENT_USER, "Control Panel\\desktop\\WindowMetrics", "MinAnimate", REG_SZ, "1"sv},
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\fdc\\0000", nullptr, REG_NONE, {}},
}};

}  // namespace

std::span<const SeedEntry> storeSeed() { return kSeed; }

}  // namespace registry
