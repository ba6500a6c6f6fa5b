// Where "Very.bmp" (the display copy) and "ok.bmp" (the saved picture) are kept.
#pragma once

#include <filesystem>
#include <functional>

namespace imagefx {

inline constexpr const char* kDisplayFileName = "Very.bmp";
inline constexpr const char* kSavedFileName = "ok.bmp";

class FilePlaces {
public:
    using WritableCheck = std::function<bool(const std::filesystem::path&)>;

    // Files go beside the program; when its folder cannot be written (an installed
    // program) they go to `dataDir`, created on first use.
    FilePlaces(std::filesystem::path programDir, std::filesystem::path dataDir,
               WritableCheck writable = folderWritable);

    // The folder in use now (AppDir), decided afresh on every call.
    std::filesystem::path folder() const;
    std::filesystem::path displayFile() const { return folder() / kDisplayFileName; }
    std::filesystem::path savedFile() const { return folder() / kSavedFileName; }

    static bool folderWritable(const std::filesystem::path& dir);

private:
    std::filesystem::path programDir_;
    std::filesystem::path dataDir_;
    WritableCheck writable_;
};

}  // namespace imagefx
