// Atomic replacement of a file by name, and bounded reads of regular files only.
#include "platform/safe_file.h"

#include <cerrno>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string describe(const char* what, const std::filesystem::path& path, int err) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(err);
}

bool fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return false;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error, Durability durability) {
    const bool sync = durability == Durability::Synced;
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return fail(error, target.string() + " is not a regular file");

    const auto folder = target.parent_path();
    std::random_device entropy;
    std::string tmpName;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tmpName = (folder / ("." + target.filename().string() + ".tmp-" +
                             std::to_string(entropy() & 0xffffffu)))
                      .string();
        fd = ::open(tmpName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return fail(error, describe("cannot create a file beside", target, errno));

    int err = 0;
    if (!writeAll(fd, bytes)) err = errno;
    if (!err && sync && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (!err && ::rename(tmpName.c_str(), target.c_str()) != 0) err = errno;
    if (err) {
        ::unlink(tmpName.c_str());
        return fail(error, describe("cannot write", target, err));
    }
    if (sync) syncFolder(folder);
    return true;
}

bool isStream(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode));
}

bool writeToStream(const std::filesystem::path& path, std::string_view bytes, std::string* error) {
    // No O_CREAT and no O_TRUNC: should a regular file take the name's place meanwhile,
    // it is refused below without a byte changed.
    int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return fail(error, describe("cannot open", path, errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !(S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
        ::close(fd);
        return fail(error, path.string() + " is neither a pipe nor a character device");
    }
    int err = writeAll(fd, bytes) ? 0 : errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (err) return fail(error, describe("cannot write", path, err));
    return true;
}

ReadResult readRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                           bool followLinks) {
    ReadResult result;
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
    int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        int err = errno;
        result.status = err == ENOENT ? ReadStatus::Missing
                        : err == ELOOP ? ReadStatus::NotRegular
                                       : ReadStatus::Failed;
        result.error = err == ELOOP ? path.string() + " is a symbolic link"
                                    : describe("cannot open", path, err);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = ReadStatus::NotRegular;
        result.error = path.string() + " is not a regular file";
        return result;
    }
    if (std::uint64_t(st.st_size) > maxBytes) {
        ::close(fd);
        result.status = ReadStatus::TooLarge;
        result.error = path.string() + " is larger than " + std::to_string(maxBytes) + " bytes";
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Read to the cap plus one, so a file that grows while we read is still bounded.
    std::string bytes(std::size_t(st.st_size), '\0');
    std::size_t have = 0;
    char probe[4096];
    for (;;) {
        char* dest = have < bytes.size() ? bytes.data() + have : probe;
        std::size_t room = have < bytes.size() ? bytes.size() - have : sizeof probe;
        ssize_t n = ::read(fd, dest, room);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            result.status = ReadStatus::Failed;
            result.error = describe("cannot read", path, err);
            return result;
        }
        if (n == 0) break;
        if (dest == probe) bytes.append(probe, std::size_t(n));
        have += std::size_t(n);
        if (have > maxBytes) {
            ::close(fd);
            result.status = ReadStatus::TooLarge;
            result.error = path.string() + " is larger than " + std::to_string(maxBytes) + " bytes";
            return result;
        }
    }
    ::close(fd);
    bytes.resize(have);
    result.status = ReadStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

bool isPlainRegularFile(const std::filesystem::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace platform
