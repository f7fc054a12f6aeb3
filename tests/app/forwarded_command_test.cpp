#include "app/forwarded_command.h"

#include <gtest/gtest.h>
#include <numeric>

namespace talvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

ForwardedRequest fullRequest(std::size_t configurationSize) {
    Bytes configuration(configurationSize);
    std::iota(configuration.begin(), configuration.end(), 0);
    return {ForwardedCommand::LoadProfile,
            {"led=3", "", "名前=値"},
            "/u/sim.state",
            "/u/keymap.bin",
            true,
            false,
            true,
            "/u/game.bin",
            configuration};
}

ForwardedReply fullReply() {
    return {ForwardStatus::NotMine, -3, "out\n", "err\n", {"> 01 02", "< 03"}, Bytes(10060, 0xA5)};
}

TEST(ForwardedCommandTest, EverythingSurvivesTheTripAndEveryCutIsRefused) {
    std::string error;
    const Bytes whole = encodeRequest(fullRequest(206920));
    EXPECT_EQ(decodeRequest(whole, error), fullRequest(206920)) << error;
    const Bytes request = encodeRequest(fullRequest(10060));
    EXPECT_EQ(decodeRequest(request, error), fullRequest(10060)) << error;
    const Bytes reply = encodeReply(fullReply());
    EXPECT_EQ(decodeReply(reply, error), fullReply()) << error;

    for (std::size_t size = 0; size < request.size(); ++size)
        ASSERT_FALSE(decodeRequest(std::span(request).first(size), error)) << size;
    for (std::size_t size = 0; size < reply.size(); ++size)
        ASSERT_FALSE(decodeReply(std::span(reply).first(size), error)) << size;
}

TEST(ForwardedCommandTest, MalformedBytesAreRefusedSayingWhy) {
    // An empty request: mark 0-3, version 4, command 5, flags 6, three text lengths 7-18, the
    // argument count 19-22, the configuration's length 23-26. An empty reply: status 5, exit
    // code 6-9, two text lengths 10-17, the trace's count 18-21, the image's length 22-25.
    const Bytes request = encodeRequest({});
    const Bytes reply = encodeReply({});
    ASSERT_EQ(request.size(), 27u);
    ASSERT_EQ(reply.size(), 26u);
    const auto patched = [](Bytes bytes, std::size_t at, std::uint32_t value, std::size_t width) {
        const auto encoded = encodeFrameLength(value);
        std::copy_n(encoded.begin(), width, bytes.begin() + static_cast<std::ptrdiff_t>(at));
        return bytes;
    };
    Bytes fiveByteConfiguration = patched(request, 23, 5, 4);
    fiveByteConfiguration.resize(32);
    Bytes trailing = request;
    trailing.push_back(0);
    Bytes hundredByteImage = patched(reply, 22, 100, 4);
    hundredByteImage.resize(126);

    const struct {
        bool isRequest;
        Bytes bytes;
        const char* says;
    } cases[] = {
        {true, Bytes(kMaxForwardBytes + 1), "more than the 1048576 allowed"},
        {true, reply, "mark"},
        {false, request, "mark"},
        {true, patched(request, 4, 2, 1), "of version 2; version 1 was expected"},
        {false, patched(reply, 4, 0, 1), "of version 0; version 1 was expected"},
        {true, patched(request, 5, 0, 1), "unknown command 0"},
        {true, patched(request, 5, 9, 1), "unknown command 9"},
        {true, patched(request, 6, 8, 1), "unknown flags 8"},
        {true, patched(request, 7, 100, 4), "claims 100 bytes of keyboard"},
        {true, patched(request, 19, 0xFFFFFFFF, 4), "claims 4294967295 arguments"},
        {true, fiveByteConfiguration, "configuration of 5 bytes; it must be 0, 10060 or 206920"},
        {true, trailing, "1 bytes after its end"},
        {false, patched(reply, 5, 3, 1), "unknown status 3"},
        {false, patched(reply, 18, 5, 4), "claims 5 trace lines"},
        {false, hundredByteImage, "image of 100 bytes; it must be 0 or 10060"},
    };
    for (const auto& bad : cases) {
        std::string error;
        const bool decoded = bad.isRequest ? decodeRequest(bad.bytes, error).has_value()
                                           : decodeReply(bad.bytes, error).has_value();
        EXPECT_FALSE(decoded) << bad.says;
        EXPECT_NE(error.find(bad.says), std::string::npos) << error;
    }
}

TEST(ForwardedCommandTest, AReplyTooLongForTheSocketKeepsItsBeginningAndSaysSo) {
    ForwardedReply longTrace = fullReply();
    longTrace.trace.assign(20000, std::string(100, 't'));
    ForwardedReply longText = fullReply();
    longText.out = std::string(2 * kMaxForwardBytes, 'o');
    longText.err = std::string(kMaxForwardBytes, 'e');
    for (const ForwardedReply& original : {longTrace, longText}) {
        const Bytes bytes = encodeReply(original);
        EXPECT_LE(bytes.size(), kMaxForwardBytes);
        std::string error;
        const std::optional<ForwardedReply> reply = decodeReply(bytes, error);
        ASSERT_TRUE(reply) << error;
        EXPECT_EQ(reply->exitCode, original.exitCode);
        EXPECT_EQ(reply->image, original.image);
        EXPECT_EQ(reply->out.substr(0, 100), original.out.substr(0, 100));
        EXPECT_EQ(reply->err.substr(0, 100), original.err.substr(0, 100));
        EXPECT_EQ(reply->trace.size() > 1000, original.trace.size() > 1000);
        std::string said = reply->out + reply->err;
        for (const std::string& line : reply->trace)
            said += line;
        EXPECT_NE(said.find("too long for the window's socket"), std::string::npos);
    }
}

} // namespace
} // namespace talvex
