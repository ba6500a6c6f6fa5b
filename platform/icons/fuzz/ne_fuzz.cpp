// Fuzz target: the NE reader on arbitrary bytes.
#include "platform/icons/fuzz/fuzz_container.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::icons::fuzzContainer(platform::icons::countNeIcons, platform::icons::readNeGroup, data, size);
    return 0;
}
