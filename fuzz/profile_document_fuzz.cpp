// Arbitrary text as a profile document a user imports. The reader must never crash, and a
// document it accepts must describe a file that writes back as a document giving that file.

#include "fuzz_check.h"
#include "profiles/profile_document.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talvex;
    const ProfileFromDocument built =
        profileFromDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    if (built.fileBytes.empty())
        return 0;
    check(built.fileBytes.size() == 10060 || built.fileBytes.size() == 206920);
    check(profileFromDocument(profileDocument(built.fileBytes)).fileBytes == built.fileBytes);
    return 0;
}
