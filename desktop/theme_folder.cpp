// Writing the icon theme folder: files replaced atomically, no link followed, only
// the suite's own files removed.
#include "desktop/theme_folder.h"

#include <map>
#include <set>
#include <system_error>

#include "desktop/icon_names.h"
#include "platform/safe_file.h"

namespace desktop {
namespace fs = std::filesystem;
namespace {

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool isLink(const fs::path& p) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(p, ec));
}

// Makes `dir` unless it is there as a real folder.
bool makeFolder(const fs::path& dir, std::string* error) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(dir, ec);
    if (fs::is_directory(st)) return true;
    if (fs::exists(st)) return fail(error, "not a folder, left alone: " + dir.string());
    if (!fs::create_directory(dir, ec) || ec) return fail(error, "cannot make " + dir.string() + ": " + ec.message());
    return true;
}

std::string folderName(int side, std::string_view context) {
    return std::to_string(side) + "x" + std::to_string(side) + "/" + std::string(context);
}

// Every file name the suite can write: "<side>x<side>/<context>/<name>.png".
std::set<std::string> allPictureFiles() {
    std::set<std::string> files;
    for (const IconNames& entry : iconNames())
        for (int n = 0; n < entry.count(); ++n)
            for (int side : kThemeSides)
                files.insert(folderName(side, entry.names[static_cast<std::size_t>(n)].context) + "/" +
                             std::string(entry.names[static_cast<std::size_t>(n)].name) + ".png");
    return files;
}

// Removes a file of ours if there; a link is removed itself, never what it points at.
void removeEntry(const fs::path& p) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(p, ec);
    if (fs::is_regular_file(st) || fs::is_symlink(st)) fs::remove(p, ec);
}

// Removes the folder only when empty (a file of someone else's keeps it).
void removeEmptyFolder(const fs::path& dir) {
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(dir, ec)) && fs::is_empty(dir, ec)) fs::remove(dir, ec);
}

// The Context key of index.theme for a context folder.
std::string contextWord(const std::string& folder) {
    static const std::map<std::string, std::string> words = {
        {"actions", "Actions"}, {"apps", "Applications"}, {"categories", "Categories"}, {"devices", "Devices"},
        {"mimetypes", "MimeTypes"}, {"places", "Places"}, {"status", "Status"}};
    auto it = words.find(folder);
    return it == words.end() ? std::string("Applications") : it->second;
}

// The size and context folders left empty, and only those.
void removeEmptyFolders(const fs::path& root) {
    for (int side : kThemeSides) {
        const fs::path sizeDir = root / (std::to_string(side) + "x" + std::to_string(side));
        if (isLink(sizeDir)) continue;
        for (std::string_view context : {"actions", "apps", "categories", "devices", "mimetypes", "places", "status"})
            removeEmptyFolder(sizeDir / context);
        removeEmptyFolder(sizeDir);
    }
}

}  // namespace

ThemeFolder::ThemeFolder(fs::path dataHome) : icons_(dataHome / "icons"), root_(icons_ / kThemeName) {}

bool ThemeFolder::ours() const {
    std::error_code ec;
    return !isLink(root_) && fs::is_directory(fs::symlink_status(root_, ec)) &&
           platform::isPlainRegularFile(root_ / kMarkerName);
}

bool ThemeFolder::checkPlace(std::string* error) const {
    if (isLink(icons_)) return fail(error, "the icons folder is a symbolic link: " + icons_.string());
    if (isLink(root_)) return fail(error, "the theme folder is a symbolic link: " + root_.string());
    return true;
}

std::string indexTheme(const std::vector<ThemePicture>& pictures, const QStringList& inherits) {
    std::map<std::pair<int, std::string>, bool> folders;  // sorted by size, then context
    for (const ThemePicture& p : pictures) folders[{p.side, std::string(p.context)}] = true;
    QStringList parents = inherits;
    parents.removeAll(QString::fromLatin1(kThemeName));
    parents.removeAll(QStringLiteral("hicolor"));
    parents.append(QStringLiteral("hicolor"));
    std::string dirs;
    for (const auto& [folder, unused] : folders) dirs += (dirs.empty() ? "" : ",") + folderName(folder.first, folder.second);
    std::string text = "[Icon Theme]\nName=" + std::string(kThemeName) +
                       "\nComment=Icons chosen in shellstyle\nInherits=" + parents.join(u',').toStdString() +
                       "\nDirectories=" + dirs + "\n";
    for (const auto& [folder, unused] : folders) {
        text += "\n[" + folderName(folder.first, folder.second) + "]\nSize=" + std::to_string(folder.first) +
                "\nContext=" + contextWord(folder.second) + "\nType=Fixed\n";
    }
    return text;
}

bool ThemeFolder::write(const std::vector<ThemePicture>& pictures, const QStringList& inherits,
                        std::string* error) {
    if (!checkPlace(error)) return false;
    std::error_code ec;
    const bool existed = fs::exists(fs::symlink_status(root_, ec));
    if (existed && !ours()) return fail(error, "a theme folder the suite did not make is in the way: " + root_.string());
    if (!existed) {
        fs::create_directories(icons_.parent_path(), ec);
        if (!makeFolder(icons_, error) || !checkPlace(error) || !makeFolder(root_, error)) return false;
        if (!platform::writeFileAtomically(root_ / kMarkerName, "This folder was made by shellstyle-apply.\n", error))
            return false;
    }

    std::set<std::string> wanted;
    for (const ThemePicture& p : pictures) {
        const std::string folder = folderName(p.side, p.context);
        const fs::path sizeDir = root_ / folder.substr(0, folder.find('/'));
        if (!makeFolder(sizeDir, error) || !makeFolder(root_ / folder, error)) return false;
        const std::string file = folder + "/" + std::string(p.name) + ".png";
        if (!platform::writeFileAtomically(root_ / file, std::string_view(p.png.constData(), static_cast<std::size_t>(p.png.size())), error))
            return false;
        wanted.insert(file);
    }
    // Pictures of items no longer chosen go, so the inherited theme answers for them.
    for (const std::string& file : allPictureFiles())
        if (!wanted.contains(file)) removeEntry(root_ / file);
    removeEmptyFolders(root_);
    // Last, so a reader never finds folders listed that are not there yet.
    return platform::writeFileAtomically(root_ / "index.theme", indexTheme(pictures, inherits), error);
}

bool ThemeFolder::remove(std::string* error) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(root_, ec))) return true;
    if (!checkPlace(error)) return false;
    if (!ours()) return fail(error, "a theme folder the suite did not make is left alone: " + root_.string());
    removeEntry(root_ / "index.theme");
    for (const std::string& file : allPictureFiles()) removeEntry(root_ / file);
    bool others = false;
    removeEmptyFolders(root_);
    for (const auto& entry : fs::directory_iterator(root_, ec))
        if (entry.path().filename() != kMarkerName) others = true;
    if (others) return fail(error, "files the suite did not write are left in " + root_.string());
    removeEntry(root_ / kMarkerName);
    fs::remove(root_, ec);
    if (ec) return fail(error, "cannot remove " + root_.string() + ": " + ec.message());
    return true;
}

}  // namespace desktop
