#include "app/forwarded_command.h"

#include "device/device_settings.h"
#include "keys/keymap_file.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace talvex {

namespace {

// A request and a reply start with different marks, so neither side takes one for the other.
constexpr std::array<std::uint8_t, 4> kRequestMark = {'K', 'X', 'F', 'Q'};
constexpr std::array<std::uint8_t, 4> kReplyMark = {'K', 'X', 'F', 'A'};

constexpr std::uint8_t kJsonFlag = 1;
constexpr std::uint8_t kForceFlag = 2;
constexpr std::uint8_t kTraceFlag = 4;

class Writer {
public:
    explicit Writer(const std::array<std::uint8_t, 4>& mark) : bytes(mark.begin(), mark.end()) {
        u8(static_cast<std::uint8_t>(kForwardVersion));
    }

    void u8(std::uint8_t value) { bytes.push_back(value); }
    void u32(std::uint32_t value) {
        const auto encoded = encodeFrameLength(value);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    template <typename Range> void blob(const Range& range) {
        u32(static_cast<std::uint32_t>(range.size()));
        bytes.insert(bytes.end(), range.begin(), range.end());
    }
    void texts(const std::vector<std::string>& list) {
        u32(static_cast<std::uint32_t>(list.size()));
        for (const std::string& text : list)
            blob(text);
    }

    std::vector<std::uint8_t> bytes;
};

// Reads fields off untrusted bytes. The first fault is kept and every later read returns an
// empty value without touching the bytes, so a decoder reads all its fields and asks once.
class Reader {
public:
    Reader(std::span<const std::uint8_t> bytes, const char* what) : rest(bytes), what(what) {}

    bool ok() const { return error.empty(); }

    void fail(const std::string& message) {
        if (ok())
            error = std::string("the ") + what + " " + message;
    }

    void header(const std::array<std::uint8_t, 4>& mark) {
        if (rest.size() > kMaxForwardBytes)
            return fail("is " + std::to_string(rest.size()) + " bytes, more than the " +
                        std::to_string(kMaxForwardBytes) + " allowed");
        const auto start = take(mark.size(), "mark");
        if (ok() && !std::equal(start.begin(), start.end(), mark.begin()))
            return fail("does not start with the mark of a kestrix-cli " + std::string(what));
        const std::uint8_t version = u8("version");
        if (ok() && version != kForwardVersion)
            fail("is of version " + std::to_string(version) + "; version " +
                 std::to_string(kForwardVersion) + " was expected");
    }

    std::uint8_t u8(const char* field) {
        const auto bytes = take(1, field);
        return bytes.empty() ? 0 : bytes[0];
    }

    // One of the values 1 to `last` of an enum.
    template <typename Enum> Enum code(const char* field, Enum last) {
        const std::uint8_t value = u8(field);
        if (ok() && (value == 0 || value > static_cast<std::uint8_t>(last)))
            fail("has the unknown " + std::string(field) + " " + std::to_string(value));
        return static_cast<Enum>(value);
    }

    std::uint32_t u32(const char* field) {
        const auto bytes = take(kFrameLengthBytes, field);
        return bytes.empty() ? 0 : decodeFrameLength(bytes.first<kFrameLengthBytes>());
    }

    std::vector<std::uint8_t> blob(const char* field) {
        const auto bytes = take(length(field), field);
        return {bytes.begin(), bytes.end()};
    }

    // A blob of one of the sizes the other side can mean.
    std::vector<std::uint8_t> blob(const char* field, std::initializer_list<std::size_t> sizes) {
        std::vector<std::uint8_t> bytes = blob(field);
        if (ok() && std::find(sizes.begin(), sizes.end(), bytes.size()) == sizes.end()) {
            std::string allowed;
            std::size_t left = sizes.size();
            for (std::size_t size : sizes)
                allowed += std::to_string(size) + (--left > 1 ? ", " : left == 1 ? " or " : "");
            fail("has a " + std::string(field) + " of " + std::to_string(bytes.size()) +
                 " bytes; it must be " + allowed);
        }
        return bytes;
    }

    std::string text(const char* field) {
        const auto bytes = take(length(field), field);
        return {bytes.begin(), bytes.end()};
    }

    std::vector<std::string> texts(const char* field) {
        const std::uint32_t count = u32(field);
        // Each entry takes at least its length, so a count beyond that is a lie, and is refused
        // before anything is reserved for it.
        if (ok() && count > rest.size() / kFrameLengthBytes)
            fail("claims " + std::to_string(count) + " " + field + " in the " +
                 std::to_string(rest.size()) + " bytes that remain");
        std::vector<std::string> list;
        for (std::uint32_t i = 0; ok() && i < count; ++i)
            list.push_back(text(field));
        return list;
    }

    template <typename T> std::optional<T> finish(T value, std::string& message) {
        if (ok() && !rest.empty())
            fail("has " + std::to_string(rest.size()) + " bytes after its end");
        message = error;
        return ok() ? std::optional<T>(std::move(value)) : std::nullopt;
    }

    std::string error;

private:
    std::uint32_t length(const char* field) {
        const std::uint32_t size = u32(field);
        if (ok() && size > rest.size())
            fail("claims " + std::to_string(size) + " bytes of " + field + " where " +
                 std::to_string(rest.size()) + " remain");
        return ok() ? size : 0;
    }

    std::span<const std::uint8_t> take(std::size_t count, const char* field) {
        if (!ok())
            return {};
        if (count > rest.size()) {
            fail("ends inside its " + std::string(field));
            return {};
        }
        const auto taken = rest.first(count);
        rest = rest.subspan(count);
        return taken;
    }

    std::span<const std::uint8_t> rest;
    const char* what;
};

std::vector<std::uint8_t> encodeWhole(const ForwardedReply& reply) {
    Writer writer(kReplyMark);
    writer.u8(static_cast<std::uint8_t>(reply.status));
    writer.u32(static_cast<std::uint32_t>(reply.exitCode));
    writer.blob(reply.out);
    writer.blob(reply.err);
    writer.texts(reply.trace);
    writer.blob(reply.image);
    return writer.bytes;
}

// Room for each of the up to three notes on what was left out.
constexpr std::size_t kNoteRoom = 128;

void cutTo(std::string& text, std::size_t keep) {
    if (keep >= text.size())
        return;
    // Between characters, not inside one.
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80)
        --keep;
    text.resize(keep);
    text += "\n[the rest was cut: too long for the window's socket]\n";
}

ForwardedReply fitted(const ForwardedReply& reply) {
    ForwardedReply fit{reply.status, reply.exitCode, reply.out, reply.err, {}, reply.image};
    const std::size_t budget = kMaxForwardBytes - 3 * kNoteRoom;
    std::size_t size = encodeWhole(fit).size();
    if (size > budget) {
        // The printed texts share what is left; one that needs less leaves the rest to the other.
        const std::size_t texts = fit.out.size() + fit.err.size();
        const std::size_t room = texts - std::min(texts, size - budget);
        const std::size_t errRoom =
            std::min(fit.err.size(), std::max(room / 2, room - std::min(room, fit.out.size())));
        cutTo(fit.out, room - errRoom);
        cutTo(fit.err, errRoom);
        size = encodeWhole(fit).size();
    }
    std::size_t lines = 0;
    while (lines < reply.trace.size() &&
           size + kFrameLengthBytes + reply.trace[lines].size() <= budget) {
        size += kFrameLengthBytes + reply.trace[lines].size();
        fit.trace.push_back(reply.trace[lines++]);
    }
    if (lines < reply.trace.size())
        fit.trace.push_back("[" + std::to_string(reply.trace.size() - lines) +
                            " more lines of the trace were left out: too long for the window's "
                            "socket]");
    return fit;
}

} // namespace

std::vector<std::uint8_t> encodeRequest(const ForwardedRequest& request) {
    Writer writer(kRequestMark);
    writer.u8(static_cast<std::uint8_t>(request.command));
    writer.u8(static_cast<std::uint8_t>((request.json ? kJsonFlag : 0) |
                                        (request.force ? kForceFlag : 0) |
                                        (request.trace ? kTraceFlag : 0)));
    writer.blob(request.keyboard);
    writer.blob(request.keymapFile);
    writer.blob(request.source);
    writer.texts(request.args);
    writer.blob(request.configuration);
    return writer.bytes;
}

std::vector<std::uint8_t> encodeReply(const ForwardedReply& reply) {
    std::vector<std::uint8_t> bytes = encodeWhole(reply);
    return bytes.size() <= kMaxForwardBytes ? bytes : encodeWhole(fitted(reply));
}

std::optional<ForwardedRequest> decodeRequest(std::span<const std::uint8_t> bytes,
                                              std::string& error) {
    Reader reader(bytes, "request");
    reader.header(kRequestMark);
    ForwardedRequest request;
    request.command = reader.code("command", ForwardedCommand::ProfileStore);
    const std::uint8_t flags = reader.u8("flags");
    if (reader.ok() && (flags & ~(kJsonFlag | kForceFlag | kTraceFlag)) != 0)
        reader.fail("has unknown flags " + std::to_string(flags));
    request.json = (flags & kJsonFlag) != 0;
    request.force = (flags & kForceFlag) != 0;
    request.trace = (flags & kTraceFlag) != 0;
    request.keyboard = reader.text("keyboard");
    request.keymapFile = reader.text("keymap file");
    request.source = reader.text("source");
    request.args = reader.texts("arguments");
    request.configuration = reader.blob("configuration", {0, kDeviceSettingsSize, kKeymapFileSize});
    return reader.finish(std::move(request), error);
}

std::optional<ForwardedReply> decodeReply(std::span<const std::uint8_t> bytes, std::string& error) {
    Reader reader(bytes, "reply");
    reader.header(kReplyMark);
    ForwardedReply reply;
    reply.status = reader.code("status", ForwardStatus::NotMine);
    reply.exitCode = static_cast<int>(reader.u32("exit code"));
    reply.out = reader.text("output");
    reply.err = reader.text("error output");
    reply.trace = reader.texts("trace lines");
    reply.image = reader.blob("image", {0, kDeviceSettingsSize});
    return reader.finish(std::move(reply), error);
}

} // namespace talvex
