#pragma once
// The files a hostile tester hands the program instead of a configuration: random bytes, and the
// factory configuration with one byte changed.

#include "keys/factory_configuration.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talvex::testing {

inline std::vector<std::uint8_t> randomBytes(std::size_t size, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    return bytes;
}

inline std::vector<std::uint8_t> factoryWithByte(std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> bytes = factoryConfigurationBytes();
    bytes[at] = value;
    return bytes;
}

} // namespace talvex::testing
