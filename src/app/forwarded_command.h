#pragma once
// What the command line asks the running window to do with the keyboard, and the answer. Both
// cross the window's local socket, so each side reads the other's bytes as untrusted input: a
// size limit, a version, and only the commands below.
//
// The command line keeps its own file input and output: a request carries the configuration it
// read, and a reply carries the image it is to write.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

inline constexpr int kForwardVersion = 1;
// The largest request or reply either side reads: a whole configuration and some text.
inline constexpr std::size_t kMaxForwardBytes = 1u << 20;

enum class ForwardedCommand : std::uint8_t {
    Info = 1,     // the firmware version
    Read,         // every setting; the reply carries the image
    Apply,        // send `configuration` (only what differs)
    Reset,        // the factory reset
    Set,          // `args`: NAME=VALUE...
    LoadProfile,  // `configuration` becomes the whole configuration
    Assign,       // `args`: POSITION KIND [ARGS], on the window's keymap.bin
    ProfileStore, // nothing to do: may the profile store be changed now?
};

struct ForwardedRequest {
    ForwardedCommand command = ForwardedCommand::Info;
    std::vector<std::string> args;
    // The keyboard the command line means: empty for the real one, else the simulated
    // keyboard's state file as an absolute path. The window refuses one it does not drive.
    std::string keyboard;
    // For Assign: the keymap.bin meant, absolute; the window refuses another file.
    std::string keymapFile;
    bool json = false;
    bool force = false;
    bool trace = false;
    std::string source;                      // where `configuration` came from, for messages
    std::vector<std::uint8_t> configuration; // Apply, LoadProfile: 10060 or 206920 bytes

    bool operator==(const ForwardedRequest&) const = default;
};

enum class ForwardStatus : std::uint8_t {
    Done = 1, // the window ran the command: see exitCode
    NotMine,  // the window drives another keyboard or keymap.bin: run it here
};

struct ForwardedReply {
    ForwardStatus status = ForwardStatus::Done;
    int exitCode = 0;
    std::string out; // what the command printed, English
    std::string err;
    std::vector<std::string> trace;  // the wire trace, with `trace`
    std::vector<std::uint8_t> image; // Read: the 10060-byte settings image

    bool operator==(const ForwardedReply&) const = default;
};

// The bytes of a request or reply, version first, at most kMaxForwardBytes. A request can only
// grow past that through absurd arguments; its sender checks the size. A reply that would (a
// wire trace of a whole configuration can) keeps the first lines of its trace with a line saying
// how many were left out, and if the printed text alone is too long, its beginning.
std::vector<std::uint8_t> encodeRequest(const ForwardedRequest& request);
std::vector<std::uint8_t> encodeReply(const ForwardedReply& reply);

// Empty with `error` set (English, for the other side) when the bytes are not a request or reply
// of this version: too long, truncated, an unknown command or status, trailing bytes.
std::optional<ForwardedRequest> decodeRequest(std::span<const std::uint8_t> bytes,
                                              std::string& error);
std::optional<ForwardedReply> decodeReply(std::span<const std::uint8_t> bytes, std::string& error);

// On the socket the command line sends kForwardGreeting, a frame length and the encoded request;
// the window answers with a frame length and the encoded reply, and hangs up. Either side refuses
// a length above kMaxForwardBytes before reading what follows it.
inline constexpr std::string_view kForwardGreeting = "forward\n";
inline constexpr std::size_t kFrameLengthBytes = 4;

inline std::array<std::uint8_t, kFrameLengthBytes> encodeFrameLength(std::uint32_t length) {
    return {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
            static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
}

inline std::uint32_t decodeFrameLength(std::span<const std::uint8_t, kFrameLengthBytes> bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

} // namespace talvex
