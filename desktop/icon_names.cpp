// The table from the shell's items to the names desktop icon themes use for them.
#include "desktop/icon_names.h"

namespace desktop {
namespace {

constexpr IconNames one(std::string_view name, std::string_view context) {
    return {{{{name, context}, {}, {}}}, {}};
}
constexpr IconNames none(std::string_view why) { return {{}, why}; }

// Rows in IconTargets order. Where two rows stand for one item (the shell's own slot
// and the class icon), both carry the same names; the first usable row gives the picture.
constexpr std::array<IconNames, shellstyle::kIconTargetCount> kNames{{
    one("drive-harddisk", "devices"),                     // 1 hard-disk drive
    one("media-floppy", "devices"),                       // 2 floppy drive
    {{{{"drive-optical", "devices"}, {"media-optical", "devices"}, {}}}, {}},  // 3 CD drive
    one("computer", "devices"),                           // 4 My Computer
    one("computer", "devices"),                           // 5 My Computer, class icon
    one("application-x-executable", "mimetypes"),         // 6 DOS program
    // 7 file of no known type: the name for unknown data, its generic form, and the
    // name the big themes also answer to.
    {{{{"application-octet-stream", "mimetypes"}, {"application-x-generic", "mimetypes"},
       {"unknown", "mimetypes"}}},
     {}},
    one("folder", "places"),                              // 8 folder
    one("folder-open", "status"),                         // 9 open folder
    one("printer", "devices"),                            // 10 printers
    none("the Start menu's program folder has no icon of its own on these desktops"),  // 11
    one("document-open-recent", "actions"),               // 12 Documents: the recent documents
    one("preferences-desktop", "categories"),             // 13 Settings
    one("system-search", "actions"),                      // 14 Find
    one("help-browser", "apps"),                          // 15 Help
    one("system-run", "actions"),                         // 16 Run, class icon
    one("system-run", "actions"),                         // 17 Run
    one("system-log-out", "actions"),                     // 18 Log off
    one("system-shutdown", "actions"),                    // 19 Shut down
    one("folder-documents", "places"),                    // 20 My Documents
    one("user-trash", "places"),                          // 21 Recycle Bin, empty
    one("user-trash", "places"),                          // 22 the same, its "Empty" value
    one("user-trash-full", "status"),                     // 23 Recycle Bin, full
    one("web-browser", "apps"),                           // 24 web browser
    one("preferences-system", "categories"),              // 25 Control Panel
    none("no desktop has a briefcase of synchronised files"),  // 26 Briefcase
}};

}  // namespace

std::span<const IconNames, shellstyle::kIconTargetCount> iconNames() { return kNames; }

}  // namespace desktop
