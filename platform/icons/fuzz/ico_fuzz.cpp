// Fuzz target: the ICO reader on arbitrary bytes.
#include "platform/icons/fuzz/fuzz_container.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::icons::fuzzContainer(platform::icons::countIcoIcons, platform::icons::readIcoGroup, data, size);
    return 0;
}
