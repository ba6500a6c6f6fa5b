// The table from the shell's items to the names desktop icon themes use for them.
#include "desktop/icon_names.h"

namespace desktop {
namespace {

constexpr std::string_view kShell = "Shell Icons";
constexpr std::string_view kMyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr std::string_view kPrinters = "{2227A280-3AEA-1069-A2DE-08002B30309D}";
constexpr std::string_view kRun = "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
constexpr std::string_view kMyDocuments = "{450D8FBA-AD25-11D0-98A8-0800361B1103}";
constexpr std::string_view kRecycleBin = "{645FF040-5081-101B-9F08-00AA002F954E}";
constexpr std::string_view kBrowser = "{871C5380-42A0-1069-A2EA-08002B30309D}";
constexpr std::string_view kControlPanel = "{21EC2020-3AEA-1069-A2DD-08002B30309D}";
constexpr std::string_view kBriefcase = "{85BBD920-42A0-1069-A2E4-08002B30309D}";

constexpr IconNames one(std::string_view place, std::string_view valueName, std::string_view name,
                        std::string_view context) {
    return {place, valueName, {{{name, context}, {}, {}}}, {}};
}
constexpr IconNames none(std::string_view place, std::string_view valueName, std::string_view why) {
    return {place, valueName, {}, why};
}

// Where two items stand for one thing (the shell's own slot and the class icon), both
// carry the same names; the first usable IconTargets row gives the picture.
constexpr IconNames kNames[] = {
    one(kShell, "8", "drive-harddisk", "devices"),
    one(kShell, "6", "media-floppy", "devices"),
    {kShell, "11", {{{"drive-optical", "devices"}, {"media-optical", "devices"}, {}}}, {}},
    one(kShell, "15", "computer", "devices"),
    one(kMyComputer, "", "computer", "devices"),
    one(kShell, "2", "application-x-executable", "mimetypes"),  // DOS program
    // File of no known type: the name for unknown data, its generic form, and the name
    // the big themes also answer to.
    {kShell, "0", {{{"application-octet-stream", "mimetypes"}, {"application-x-generic", "mimetypes"},
                   {"unknown", "mimetypes"}}}, {}},
    one(kShell, "3", "folder", "places"),
    one(kShell, "4", "folder-open", "status"),
    one(kPrinters, "", "printer", "devices"),
    none(kShell, "19", "the Start menu's program folder has no icon of its own on these desktops"),
    one(kShell, "20", "document-open-recent", "actions"),    // Documents: the recent documents
    one(kShell, "21", "preferences-desktop", "categories"),  // Settings
    one(kShell, "22", "system-search", "actions"),           // Find
    one(kShell, "23", "help-browser", "apps"),
    one(kRun, "", "system-run", "actions"),
    one(kShell, "24", "system-run", "actions"),
    one(kShell, "44", "system-log-out", "actions"),
    one(kShell, "27", "system-shutdown", "actions"),
    one(kMyDocuments, "", "folder-documents", "places"),
    one(kRecycleBin, "", "user-trash", "places"),
    one(kRecycleBin, "Empty", "user-trash", "places"),
    one(kRecycleBin, "Full", "user-trash-full", "status"),
    one(kBrowser, "", "web-browser", "apps"),
    one(kControlPanel, "", "preferences-system", "categories"),
    none(kBriefcase, "", "no desktop has a briefcase of synchronised files"),
};

// "Shell Icons" of a ...\Shell Icons key, the CLSID of a ...\CLSID\{...}\DefaultIcon key.
std::string_view placeOf(std::string_view key) {
    constexpr std::string_view kClassIcon = "\\DefaultIcon";
    if (key.ends_with(kClassIcon)) key.remove_suffix(kClassIcon.size());
    const auto slash = key.rfind('\\');
    return slash == std::string_view::npos ? key : key.substr(slash + 1);
}

}  // namespace

std::span<const IconNames> iconNames() { return kNames; }

const IconNames* iconNamesOf(const shellstyle::IconTarget& target) {
    const std::string_view place = placeOf(target.key);
    for (const IconNames& row : kNames)
        if (row.place == place && row.valueName == target.valueName) return &row;
    return nullptr;
}

}  // namespace desktop
