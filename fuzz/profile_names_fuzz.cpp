// Arbitrary text as a profile name typed by the user or found as a file name in the profile
// folder. A name that passes the check must stay a plain file inside the folder, and the names
// the program makes up must be valid and free.

#include "fuzz_check.h"
#include "profiles/profile_names.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talvex;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::string edited = editedProfileName(text);
    if (isValidProfileName(edited)) {
        const std::filesystem::path folder = "/profiles";
        const std::filesystem::path file = folder / (edited + ".bin");
        check(file.parent_path() == folder && file.filename() == edited + ".bin");
        check(profileNameOfFile(edited + ".bin") == edited);
    }
    if (const auto name = profileNameOfFile(text))
        check(text == *name + ".bin" || text.size() > name->size());

    // The input, split at newlines, as the names already taken.
    std::set<std::string> taken;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || text[at] == '\n') {
            taken.insert(text.substr(start, at - start));
            start = at + 1;
        }
    }
    const NameInUse inUse = [&](const std::string& name) { return taken.count(name) > 0; };
    const std::string fresh = makeNewProfileName(inUse);
    check(isValidProfileName(fresh) && !inUse(fresh));
    if (isValidProfileName(edited)) {
        const std::string copy = makeCopyName(edited, inUse);
        check(!inUse(copy));
    }
    return 0;
}
