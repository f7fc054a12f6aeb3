// Arbitrary bytes as VER.bin beside the program: the expected firmware version must come from
// the digits at offsets 5 and 7 whatever else the file holds, and a short file offers nothing.

#include "app/firmware_check.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talvex;
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("talvex-fuzz-VER-" + std::to_string(::getpid()) + ".bin");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const auto expected = readExpectedVersion(file);
    check(expected.has_value() == (size >= 8));
    if (expected) {
        check((*expected)[0] == static_cast<std::uint8_t>(data[5] - '0'));
        check((*expected)[1] == static_cast<std::uint8_t>(data[7] - '0'));
        const FirmwareVersion same = *expected;
        check(!keyboardIsOlder(*expected, same));
        FirmwareVersion keyboard{data[size - 1], data[size - 2], 0, 0};
        check(!(keyboardIsOlder(*expected, keyboard) && keyboardIsOlder(keyboard, *expected)));
    }
    return 0;
}
