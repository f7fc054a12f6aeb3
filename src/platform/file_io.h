#pragma once
// Whole-file reads and atomic whole-file writes. A write goes to a temporary file in the same
// folder, is flushed to disk and renamed over the old file, so a crash or a full disk leaves
// either the old file or the new one, never a mix.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace talvex {

// Reads at most maxBytes of the file; empty optional when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                        std::size_t maxBytes);

// Replaces the file with `data`; on failure the old file is untouched and `error` says why.
bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                         std::string* error = nullptr);

} // namespace talvex
