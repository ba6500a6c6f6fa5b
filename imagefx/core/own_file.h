// A file the program wrote, recognised again later so that only it is ever deleted.
#pragma once

#include <filesystem>

#include <sys/types.h>

namespace imagefx {

class OwnFile {
public:
    // Notes the regular file now at `path` (just written by us); forgets it when there is none.
    void wrote(const std::filesystem::path& path);
    // Deletes the noted file if the name still holds that very file; a link, another
    // file or a folder put there since is left alone.
    void remove();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

}  // namespace imagefx
