// Writes small sound .ico, PE32, PE32+ and NE files as seeds for the fuzz targets.
#include "platform/icons/writer/icon_writer.h"

#include <filesystem>
#include <fstream>

namespace {

platform::icons::IconPixels picture(int side, std::uint32_t rgb) {
    platform::icons::IconPixels p;
    p.width = p.height = side;
    p.argb.assign(static_cast<std::size_t>(side) * side, 0xFF000000u | rgb);
    p.argb[0] = 0;
    return p;
}

void write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    using namespace platform::icons;
    const std::filesystem::path root = argv[1];
    std::vector<IconGroupBlobs> groups{
        {encodeDibIcon(picture(8, 0xFF0000), 4), encodeDibIcon(picture(4, 0x00FF00), 32)},
        {encodeDibIcon(picture(6, 0x0000FF), 8), encodeDibIcon(picture(5, 0x808080), 24), encodeDibIcon(picture(3, 0xFFFFFF), 1)},
    };
    write(root / "ico" / "two-images.ico", writeIcoFile(groups[0]));
    write(root / "ico" / "three-depths.ico", writeIcoFile(groups[1]));
    write(root / "pe" / "pe32.dll", writePeModule(groups));
    write(root / "pe" / "pe64.dll", writePeModule(groups, {true, 0}));
    write(root / "ne" / "library.icl", writeNeModule(groups, "SEED"));
    return 0;
}
