// Choosing the folder for the program's two picture files.
#include "imagefx/core/file_places.h"

#include <system_error>

#include <unistd.h>

namespace imagefx {

FilePlaces::FilePlaces(std::filesystem::path programDir, std::filesystem::path dataDir,
                       WritableCheck writable)
    : programDir_(std::move(programDir)), dataDir_(std::move(dataDir)),
      writable_(std::move(writable)) {}

std::filesystem::path FilePlaces::folder() const {
    if (writable_(programDir_)) return programDir_;
    std::error_code ec;
    std::filesystem::create_directories(dataDir_, ec);
    return dataDir_;
}

bool FilePlaces::folderWritable(const std::filesystem::path& dir) {
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace imagefx
