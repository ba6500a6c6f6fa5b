// What each icon name should look like on the desktop after the store's current choices:
// for every name an item maps to, the chosen icon's picture at one side, from the first
// item (in IconTargets order) whose "file,number" value gives one.
// Usage: chain_expect <folder> <side>; writes <folder>/<name>.png and prints each name;
// exit 1 when a mapped name has none.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "desktop/icon_names.h"
#include "platform/icons/icon_file.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "shellstyle/core/icon_targets.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: chain_expect folder side\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const std::filesystem::path folder = argv[1];
    const int side = std::atoi(argv[2]);
    registry::SqliteStore store(registry::suiteStorePath());
    if (!store.ok()) {
        std::fprintf(stderr, "chain_expect: the store cannot be read: %s\n", store.problem().c_str());
        return 2;
    }
    registry::General reg(store);
    std::set<std::string> done;
    for (const shellstyle::IconTarget& target : shellstyle::iconTargets()) {
        const desktop::IconNames* names = desktop::iconNamesOf(target);
        const registry::TextRead read = reg.GetStringValue(target.key, target.valueName);
        if (!names || names->count() == 0 || !read.hasValue()) continue;
        const std::string& value = read.value();
        const auto comma = value.rfind(',');
        if (comma == std::string::npos) continue;
        const auto image = platform::iconImageOfSide(value.substr(0, comma), std::atoi(value.c_str() + comma + 1), side);
        if (!image) continue;
        for (int n = 0; n < names->count(); ++n) {
            const std::string name(names->names[static_cast<std::size_t>(n)].name);
            if (!done.insert(name).second) continue;
            if (!image->save(QString::fromStdString((folder / (name + ".png")).string()), "PNG")) {
                std::fprintf(stderr, "chain_expect: cannot write %s.png\n", name.c_str());
                return 2;
            }
            std::printf("%s\n", name.c_str());
        }
    }
    // Every name the table maps must have its picture: none may be left to another theme.
    int missing = 0;
    for (const desktop::IconNames& row : desktop::iconNames())
        for (int n = 0; n < row.count(); ++n)
            if (!done.contains(std::string(row.names[static_cast<std::size_t>(n)].name))) {
                std::fprintf(stderr, "chain_expect: no chosen icon for %s\n",
                             std::string(row.names[static_cast<std::size_t>(n)].name).c_str());
                missing = 1;
            }
    return missing;
}
