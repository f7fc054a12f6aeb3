#include "profiles/profile_document.h"

#include "keys/configuration_check.h"
#include "keys/keymap_file.h"
#include "profiles/profile_document_build.h"
#include "profiles/profile_document_fields.h"

#include <memory>

namespace talvex {

using namespace profile_document;

namespace {

void applyOtherBytes(const Json& document, std::vector<std::uint8_t>& file) {
    if (!document.contains("otherBytes"))
        return;
    const Json& runs = document["otherBytes"];
    if (!runs.is_array())
        throw DocumentError("otherBytes", "must be a list");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::string field = "otherBytes[" + std::to_string(i) + "]";
        const Json& run = runs[i];
        if (!run.is_object() || run.size() != 2 || !run.contains("offset") ||
            !run.contains("hex") || !run["offset"].is_number_unsigned() || !run["hex"].is_string())
            throw DocumentError(field, "must be {\"offset\": N, \"hex\": \"...\"}");
        const auto bytes = parseHex(run["hex"].get_ref<const std::string&>());
        if (!bytes)
            throw DocumentError(field + ".hex", "must be bytes in hex");
        const auto offset = run["offset"].get<std::uint64_t>();
        if (offset > file.size() || bytes->size() > file.size() - offset)
            throw DocumentError(field, "reaches past the end of the " +
                                           std::to_string(file.size()) + "-byte file");
        std::copy(bytes->begin(), bytes->end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
    }
}

} // namespace

ProfileFromDocument profileFromDocument(std::string_view text) {
    ProfileFromDocument result;
    try {
        const Json document = Json::parse(text);
        result.fileBytes = buildNamedParts(document);
        applyOtherBytes(document, result.fileBytes);
    } catch (const DocumentError& error) {
        result.fileBytes.clear();
        result.problem = DocumentProblem{error.field, error.what(), false};
        return result;
    } catch (const Json::exception& error) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..." without the id.
        std::string message = error.what();
        if (const auto end = message.find("] "); message.front() == '[' && end != std::string::npos)
            message.erase(0, end + 2);
        result.fileBytes.clear();
        result.problem = DocumentProblem{"document", "is not JSON: " + message, false};
        return result;
    }
    DeviceSettings settings = zeroSettings();
    settingsFromBytes(result.fileBytes, settings);
    std::unique_ptr<KeyAssignments> entries;
    if (result.fileBytes.size() == kKeymapFileSize) {
        entries = std::make_unique<KeyAssignments>();
        std::copy(result.fileBytes.begin() + kDeviceSettingsSize, result.fileBytes.end(),
                  entries->bytes().begin());
    }
    if (const auto problem = firstProblem(settings, entries.get(), nullptr, CheckScope::Send))
        result.problem =
            DocumentProblem{documentField(problem->field), problem->message, problem->overridable};
    return result;
}

} // namespace talvex
