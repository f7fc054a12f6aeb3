// Arbitrary bytes as what arrives on the window's socket, read both as a request (the window's
// side) and as a reply (the command line's). Nothing is read past the bytes, a refusal always
// says why, and whatever is taken re-encodes to exactly the bytes it came from: the format has
// one spelling per value, so nothing the other side sent is silently dropped or reinterpreted.

#include "app/forwarded_command.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talvex;
    const std::span<const std::uint8_t> bytes(data, size);
    const auto same = [&](const std::vector<std::uint8_t>& encoded) {
        return std::equal(encoded.begin(), encoded.end(), bytes.begin(), bytes.end());
    };
    std::string error;
    if (const auto request = decodeRequest(bytes, error))
        check(same(encodeRequest(*request)));
    else
        check(!error.empty());
    error.clear();
    if (const auto reply = decodeReply(bytes, error))
        check(same(encodeReply(*reply)));
    else
        check(!error.empty());
    return 0;
}
