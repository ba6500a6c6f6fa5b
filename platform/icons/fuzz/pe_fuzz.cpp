// Fuzz target: the PE reader on arbitrary bytes.
#include "platform/icons/fuzz/fuzz_container.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::icons::fuzzContainer(platform::icons::countPeIcons, platform::icons::readPeGroup, data, size);
    return 0;
}
