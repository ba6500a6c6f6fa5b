// Deleting only the file we wrote.
#include "imagefx/core/own_file.h"

#include <sys/stat.h>
#include <unistd.h>

namespace imagefx {

void OwnFile::wrote(const std::filesystem::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        path_.clear();
        return;
    }
    path_ = path;
    device_ = st.st_dev;
    inode_ = st.st_ino;
}

void OwnFile::remove() {
    struct stat st {};
    if (!path_.empty() && ::lstat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        st.st_dev == device_ && st.st_ino == inode_)
        ::unlink(path_.c_str());
    path_.clear();
}

}  // namespace imagefx
