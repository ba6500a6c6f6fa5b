// Prints what the icon reader sees in a file, for comparison with other readers:
// "count N", then per icon "icon I chosen WxH" and one "image WxH BITS" per image.
#include "platform/icons/icon_container.h"
#include "platform/icons/icon_file.h"
#include "platform/icons/mapped_file.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_probe FILE\n");
        return 2;
    }
    using namespace platform::icons;
    MappedFile file(argv[1]);
    const int count = platform::iconCount(argv[1]);
    std::printf("count %d\n", count);
    for (int i = 0; i < count; ++i) {
        auto group = readIconGroup(file.view(), i);
        auto image = platform::iconImage(argv[1], i);
        if (!group || !image) {
            std::printf("icon %d unreadable\n", i);
            continue;
        }
        auto best = imagesByPreference(*group).front();
        std::printf("icon %d chosen %dx%d\n", i, best.width, best.height);
        for (const auto& ref : *group) std::printf("image %dx%d %d\n", ref.width, ref.height, imageBitCount(ref));
    }
    return 0;
}
