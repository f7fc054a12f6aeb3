#pragma once
// The profile file that a document's named parts describe, before "otherBytes" and the checks:
// the reader builds on it, and the writer compares the file with it to find the other bytes.

#include "keys/key_assignment_store.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace talvex::profile_document {

using Json = nlohmann::ordered_json;

// What is wrong with a document, and where.
struct DocumentError : std::runtime_error {
    DocumentError(std::string field, const std::string& message)
        : std::runtime_error(message), field(std::move(field)) {}
    std::string field;
};

// The file of the document's fileSize, settings, keys, macros and layouts over the factory
// configuration. Throws DocumentError naming the first field it cannot use.
std::vector<std::uint8_t> buildNamedParts(const Json& document);

// Gives one key its document entry ("kind" and its value, "disabled", "slot") in `state`, over
// the key's factory slot and empty entry. `withEntries`: the file has assignment entries.
void applyKeyEntry(KeyAssignmentState& state, std::size_t position, const Json& entry,
                   const std::string& field, bool withEntries);

} // namespace talvex::profile_document
