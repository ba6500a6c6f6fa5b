// Writing the icon theme folder: built beside the live one and swapped in with one
// rename, no link followed or looked into, only the suite's own files removed.
#include "desktop/theme_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "desktop/icon_names.h"
#include "platform/safe_file.h"

namespace desktop {
namespace fs = std::filesystem;
namespace {

// Beside the live theme: where the next one is built, and the old one leaves through
// after the swap. Hidden, so no theme list shows it.
constexpr char kBuildName[] = ".shellstyle-suite.new";
// Where the old theme goes first when the file system cannot swap two folders at once.
constexpr char kOldName[] = ".shellstyle-suite.old";
// Files of someone else's that could not be carried into a new theme, numbered.
constexpr char kKeptName[] = ".shellstyle-suite.kept-";
constexpr char kIndexName[] = "index.theme";

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

std::string errnoText(const std::string& what, const fs::path& where) {
    return what + " " + where.string() + ": " + std::strerror(errno);
}

bool isLink(const fs::path& p) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(p, ec));
}

// An open folder; closed when it goes.
class Folder {
public:
    Folder() = default;
    explicit Folder(int fd) : fd_(fd) {}
    Folder(Folder&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Folder& operator=(Folder&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Folder() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// `name` in `at` opened as a folder; fails on a link rather than following it.
Folder openFolder(int at, const std::string& name) {
    return Folder(::openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

enum class Kind { Missing, Folder, File, Link, Other };

Kind kindAt(int at, const std::string& name) {
    struct stat st {};
    if (::fstatat(at, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return Kind::Missing;
    if (S_ISDIR(st.st_mode)) return Kind::Folder;
    if (S_ISREG(st.st_mode)) return Kind::File;
    if (S_ISLNK(st.st_mode)) return Kind::Link;
    return Kind::Other;
}

std::vector<std::string> entriesOf(int fd) {
    std::vector<std::string> names;
    const int copy = ::dup(fd);
    if (copy < 0) return names;
    DIR* dir = ::fdopendir(copy);
    if (!dir) {
        ::close(copy);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool writeAt(int at, const std::string& name, std::string_view bytes) {
    const int fd = ::openat(at, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = true;
    while (ok && !bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return ::close(fd) == 0 && ok;
}

// The context folders, and the Context key index.theme gives each.
const std::map<std::string, std::string>& contextWords() {
    static const std::map<std::string, std::string> words = {
        {"actions", "Actions"}, {"apps", "Applications"}, {"categories", "Categories"}, {"devices", "Devices"},
        {"mimetypes", "MimeTypes"}, {"places", "Places"}, {"status", "Status"}};
    return words;
}

// Every folder and file the suite can write, by path inside the theme folder.
struct Layout {
    std::set<std::string> folders;
    std::set<std::string> files;
    bool known(const std::string& path) const { return folders.contains(path) || files.contains(path); }
};

const Layout& layout() {
    static const Layout made = [] {
        Layout l;
        l.files.insert(kIndexName);
        for (const ThemeSize& size : themeSizes()) {
            const std::string folder = size.folder();
            l.folders.insert(folder);
            for (const auto& [context, word] : contextWords()) l.folders.insert(folder + "/" + context);
            for (const IconNames& entry : iconNames())
                for (int n = 0; n < entry.count(); ++n) {
                    const ThemeName& name = entry.names[static_cast<std::size_t>(n)];
                    l.files.insert(folder + "/" + std::string(name.context) + "/" + std::string(name.name) + ".png");
                }
        }
        return l;
    }();
    return made;
}

// Removes below `fd` (the theme folder's `prefix`) the suite's files, then its folders
// left empty, never opening a link; with `dropLinks` a link at one of the suite's own
// places goes too (the link itself). The marker stays. True when anything else is left.
bool clean(int fd, const std::string& prefix, bool dropLinks) {
    bool left = false;
    for (const std::string& name : entriesOf(fd)) {
        if (prefix.empty() && name == kMarkerName) continue;
        const std::string path = prefix + name;
        switch (kindAt(fd, name)) {
        case Kind::Missing:
            break;
        case Kind::Folder: {
            if (!layout().folders.contains(path)) {
                left = true;
                break;
            }
            const Folder sub = openFolder(fd, name);
            if (!sub.ok() || clean(sub.fd(), path + "/", dropLinks) || ::unlinkat(fd, name.c_str(), AT_REMOVEDIR) != 0)
                left = true;
            break;
        }
        case Kind::File:
            if (!layout().files.contains(path) || ::unlinkat(fd, name.c_str(), 0) != 0) left = true;
            break;
        case Kind::Link:
            if (!dropLinks || !layout().known(path) || ::unlinkat(fd, name.c_str(), 0) != 0) left = true;
            break;
        case Kind::Other:
            left = true;
            break;
        }
    }
    return left;
}

// Moves what is not the suite's from the old theme folder `from` into the new one `to`,
// each at the same place; a link moves as the link. A link or file at one of the suite's
// own places stays behind, the new theme has its own there.
void carry(int from, int to, const std::string& prefix) {
    for (const std::string& name : entriesOf(from)) {
        if (prefix.empty() && name == kMarkerName) continue;
        const std::string path = prefix + name;
        const Kind kind = kindAt(from, name);
        if (kind == Kind::Folder && layout().folders.contains(path)) {
            const bool made = kindAt(to, name) == Kind::Missing && ::mkdirat(to, name.c_str(), 0755) == 0;
            const Folder a = openFolder(from, name), b = openFolder(to, name);
            if (a.ok() && b.ok()) carry(a.fd(), b.fd(), path + "/");
            if (made) ::unlinkat(to, name.c_str(), AT_REMOVEDIR);  // only goes while empty
        } else if (!((kind == Kind::File || kind == Kind::Link) && layout().known(path))) {
            ::renameat2(from, name.c_str(), to, name.c_str(), RENAME_NOREPLACE);
        }
    }
}

// Removes a folder of the suite's at `name` beside the theme, left by an earlier
// write; true when none is there any more.
bool clearLeftover(int icons, const char* name, std::string* error, const fs::path& where) {
    const Kind kind = kindAt(icons, name);
    if (kind == Kind::Missing) return true;
    const Folder folder = kind == Kind::Folder ? openFolder(icons, name) : Folder();
    if (folder.ok() && ::unlinkat(icons, name, AT_REMOVEDIR) == 0) return true;  // an empty one, made before its marker
    if (!folder.ok() || kindAt(folder.fd(), kMarkerName) != Kind::File)
        return fail(error, "something the suite did not make is in the way: " + where.string());
    if (clean(folder.fd(), "", true)) {
        // Files of someone else's that could not move into the new theme: kept, under a
        // name of their own, so that they neither go nor block the next write.
        for (int n = 1; n < 100; ++n)
            if (::renameat2(icons, name, icons, (std::string(kKeptName) + std::to_string(n)).c_str(), RENAME_NOREPLACE) == 0)
                return true;
        return fail(error, "files the suite did not write are left in " + where.string());
    }
    if (::unlinkat(folder.fd(), kMarkerName, 0) != 0 || ::unlinkat(icons, name, AT_REMOVEDIR) != 0)
        return fail(error, errnoText("cannot remove", where));
    return true;
}

// Takes the lock every writer of the theme takes, waiting a few seconds at most for
// another; released when `icons` closes.
bool lockThemes(const Folder& icons) {
    for (int tries = 0; tries < 200; ++tries) {  // 10 s in steps of 50 ms
        if (::flock(icons.fd(), LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        ::usleep(50 * 1000);
    }
    return false;
}

// Writes the marker, the pictures and index.theme into the empty folder `build`.
// Pictures of one image become links to one file. Not flushed: the theme is made
// again from the store at every login, so a crash costs nothing that lasts.
bool fill(int build, const std::vector<ThemePicture>& pictures, const std::string& index, std::string* error,
          const fs::path& where) {
    if (!writeAt(build, kMarkerName, "This folder was made by shellstyle-apply.\n"))
        return fail(error, errnoText("cannot write in", where));
    std::map<std::string, Folder> folders;
    auto folderFor = [&](const std::string& path) -> int {
        auto it = folders.find(path);
        if (it != folders.end()) return it->second.fd();
        const auto slash = path.rfind('/');
        const int parent = slash == std::string::npos ? build : folders.at(path.substr(0, slash)).fd();
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        ::mkdirat(parent, name.c_str(), 0755);
        return folders.emplace(path, openFolder(parent, name)).first->second.fd();
    };
    std::map<const char*, std::string> written;  // picture bytes -> the file holding them
    for (const ThemePicture& p : pictures) {
        const std::string sizeFolder = p.size.folder();
        const std::string folder = sizeFolder + "/" + std::string(p.context);
        const std::string name = std::string(p.name) + ".png";
        if (folderFor(sizeFolder) < 0 || folderFor(folder) < 0)
            return fail(error, errnoText("cannot make a folder in", where));
        const int fd = folders.at(folder).fd();
        const auto same = written.find(p.png.constData());
        if (same != written.end() && ::linkat(build, same->second.c_str(), fd, name.c_str(), 0) == 0) continue;
        if (!writeAt(fd, name, std::string_view(p.png.constData(), static_cast<std::size_t>(p.png.size()))))
            return fail(error, errnoText("cannot write " + folder + "/" + name + " in", where));
        written.emplace(p.png.constData(), folder + "/" + name);
    }
    if (!writeAt(build, kIndexName, index)) return fail(error, errnoText("cannot write index.theme in", where));
    return true;
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
    std::set<std::pair<ThemeSize, std::string>> folders;  // by size, then context
    for (const ThemePicture& p : pictures) folders.insert({p.size, std::string(p.context)});
    QStringList parents = inherits;
    parents.removeAll(QString::fromLatin1(kThemeName));
    parents.removeAll(QStringLiteral("hicolor"));
    parents.append(QStringLiteral("hicolor"));
    // Folders of scale 2 go in a list of their own, which readers that know no Scale key
    // skip rather than taking their pictures for ones of half the size.
    std::string dirs, scaledDirs, sections;
    for (const auto& [size, context] : folders) {
        const std::string folder = size.folder() + "/" + context;
        std::string& list = size.scale == 1 ? dirs : scaledDirs;
        list += (list.empty() ? "" : ",") + folder;
        const auto word = contextWords().find(context);
        sections += "\n[" + folder + "]\nSize=" + std::to_string(size.size) +
                    (size.scale == 1 ? "" : "\nScale=" + std::to_string(size.scale)) +
                    "\nContext=" + (word == contextWords().end() ? std::string("Applications") : word->second) +
                    (size.scalable ? "\nType=Scalable\nMinSize=" + std::to_string(size.size) +
                                         "\nMaxSize=" + std::to_string(kLargestSide) + "\n"
                                   : std::string("\nType=Fixed\n"));
    }
    return "[Icon Theme]\nName=" + std::string(kThemeName) +
           "\nComment=Icons chosen in shellstyle\nInherits=" + parents.join(u',').toStdString() +
           "\nDirectories=" + dirs + "\n" + (scaledDirs.empty() ? "" : "ScaledDirectories=" + scaledDirs + "\n") +
           sections;
}

bool ThemeFolder::write(const std::vector<ThemePicture>& pictures, const QStringList& inherits,
                        std::string* error) {
    if (!checkPlace(error)) return false;
    std::error_code ec;
    fs::create_directories(icons_.parent_path(), ec);
    if (::mkdir(icons_.c_str(), 0755) != 0 && errno != EEXIST) return fail(error, errnoText("cannot make", icons_));
    const Folder icons(::open(icons_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!icons.ok()) return fail(error, errnoText("cannot open", icons_));
    // One writer at a time, shellstyle's and the login's alike.
    if (!lockThemes(icons)) return fail(error, "another write of the icon theme is still going on in " + icons_.string());

    const Kind live = kindAt(icons.fd(), kThemeName);
    if (live == Kind::Link) return fail(error, "the theme folder is a symbolic link: " + root_.string());
    if (live != Kind::Missing && !ours())
        return fail(error, "a theme folder the suite did not make is in the way: " + root_.string());
    const fs::path buildPath = icons_ / kBuildName, oldPath = icons_ / kOldName;
    if (!clearLeftover(icons.fd(), kBuildName, error, buildPath) || !clearLeftover(icons.fd(), kOldName, error, oldPath))
        return false;

    if (::mkdirat(icons.fd(), kBuildName, 0755) != 0) return fail(error, errnoText("cannot make", buildPath));
    bool built = false;
    {
        const Folder build = openFolder(icons.fd(), kBuildName);
        built = build.ok() && fill(build.fd(), pictures, indexTheme(pictures, inherits), error, buildPath);
        if (built && live == Kind::Folder) {
            const Folder old = openFolder(icons.fd(), kThemeName);
            if (old.ok()) carry(old.fd(), build.fd(), "");
        }
    }
    if (!built) {
        clearLeftover(icons.fd(), kBuildName, nullptr, buildPath);
        return false;
    }

    // The swap: one rename the reader sees whole. Without it, the old theme steps aside
    // first, and for that moment there is no theme rather than half of one.
    const char* leaving = kBuildName;
    if (live == Kind::Missing) {
        if (::renameat(icons.fd(), kBuildName, icons.fd(), kThemeName) != 0)
            return fail(error, errnoText("cannot put the theme in place at", root_));
        return true;
    }
    if (::renameat2(icons.fd(), kBuildName, icons.fd(), kThemeName, RENAME_EXCHANGE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) return fail(error, errnoText("cannot swap in the theme at", root_));
        if (::renameat(icons.fd(), kThemeName, icons.fd(), kOldName) != 0 ||
            ::renameat(icons.fd(), kBuildName, icons.fd(), kThemeName) != 0)
            return fail(error, errnoText("cannot put the theme in place at", root_));
        leaving = kOldName;
    }
    // The old theme goes; a failure here leaves it hidden beside, for the next write.
    clearLeftover(icons.fd(), leaving, nullptr, icons_ / leaving);
    return true;
}

bool ThemeFolder::remove(std::string* error) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(root_, ec))) return true;
    if (!checkPlace(error)) return false;
    if (!ours()) return fail(error, "a theme folder the suite did not make is left alone: " + root_.string());
    const Folder icons(::open(icons_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!icons.ok() || !lockThemes(icons))
        return fail(error, "another write of the icon theme is still going on in " + icons_.string());
    clearLeftover(icons.fd(), kBuildName, nullptr, icons_ / kBuildName);
    clearLeftover(icons.fd(), kOldName, nullptr, icons_ / kOldName);
    const Folder root = openFolder(icons.fd(), kThemeName);
    if (!root.ok()) return fail(error, errnoText("cannot open", root_));
    // index.theme first: from then on readers find no theme, rather than a shrinking one.
    ::unlinkat(root.fd(), kIndexName, 0);
    if (clean(root.fd(), "", false)) return fail(error, "files the suite did not write are left in " + root_.string());
    if (::unlinkat(root.fd(), kMarkerName, 0) != 0 || ::unlinkat(icons.fd(), kThemeName, AT_REMOVEDIR) != 0)
        return fail(error, errnoText("cannot remove", root_));
    return true;
}

}  // namespace desktop
