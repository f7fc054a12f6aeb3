#pragma once
// A profile as a JSON document that people keep in their dotfiles, read, diff and edit, and the
// way back to the profile file. docs/profile-format.md describes the document.
//
// Every setting, key, macro slot and per-key colour appears by name. Whatever else the file
// holds (reserved bytes, what no name describes) goes to "otherBytes", so a file turned into a
// document and back is the same file byte for byte.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

inline constexpr int kProfileDocumentVersion = 1;

// The document of a profile file: 10060 bytes (a settings image) or 206920 (a whole
// configuration). Other sizes are the caller's to refuse.
std::string profileDocument(std::span<const std::uint8_t> fileBytes);

// Whether file content is a document rather than a profile file: its first byte is "{". A file of
// a profile's size is a profile file all the same unless it reads as a document.
bool startsLikeProfileDocument(std::span<const std::uint8_t> content);

struct DocumentProblem {
    std::string field;   // where in the document, e.g. "settings.brightness", "keys.KeyA.macro"
    std::string message; // English, for the command line
    // An unusual setting that the user may insist on (--force); everything else never passes.
    bool overridable = false;
};

struct ProfileFromDocument {
    // The profile file; when `problem` is set, only an overridable problem leaves it usable.
    std::vector<std::uint8_t> fileBytes;
    std::optional<DocumentProblem> problem;
};

// Builds the profile file a document describes and judges it as every load is judged, naming
// the first bad field.
ProfileFromDocument profileFromDocument(std::string_view text);

} // namespace talvex
