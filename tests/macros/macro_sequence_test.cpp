#include "macros/macro_event.h"
#include "macros/macro_sequence.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace talvex {
namespace {

constexpr std::uint8_t kA = 65; // "A ", device code 4

std::vector<std::uint8_t> bytesOf(const MacroEvent& event) {
    return {event.bytes.begin(), event.bytes.begin() + event.size};
}

EventBuffer buffer(std::initializer_list<std::uint8_t> bytes) {
    EventBuffer b{};
    std::copy(bytes.begin(), bytes.end(), b.begin());
    return b;
}

using Lines = std::vector<std::u16string>;

class MacroSequenceTest : public ::testing::Test {
protected:
    KeyNameTable names = buildKeyNameTable();
};

TEST(MacroEventTest, DelaysUpTo126AreShortAndLongerOnesExtendedBigEndian) {
    EXPECT_EQ(bytesOf(encodeMacroEvent(false, 4, 126)), (std::vector<std::uint8_t>{0x7E, 4}));
    EXPECT_EQ(bytesOf(encodeMacroEvent(false, 4, 127)),
              (std::vector<std::uint8_t>{0x7F, 4, 0x00, 0x7F}));
    EXPECT_EQ(bytesOf(encodeMacroEvent(true, 4, 60000)),
              (std::vector<std::uint8_t>{0xFF, 4, 0xEA, 0x60}));
    EXPECT_EQ(bytesOf(encodeMacroEvent(true, 4, 90000)),
              (std::vector<std::uint8_t>{0xFF, 4, 0xEA, 0x60}));
    EXPECT_EQ(bytesOf(encodeMacroEvent(true, 4, 1)), (std::vector<std::uint8_t>{0x81, 4}));
}

TEST(MacroEventTest, ZeroDelayIsStoredAsNoDelay) {
    EXPECT_EQ(bytesOf(encodeMacroEvent(false, 4, 0)), (std::vector<std::uint8_t>{0x01, 4}));
    EXPECT_EQ(bytesOf(encodeMacroEvent(true, 4, 0)), (std::vector<std::uint8_t>{0x81, 4}));
    EXPECT_EQ(bytesOf(encodeMacroEvent(true, 4, -5)), (std::vector<std::uint8_t>{0x81, 4}));
}

TEST_F(MacroSequenceTest, PressWaitReleaseShowsThreeLines) {
    EventBuffer keys = buffer({0x01, kA, 0xFF, kA, 0x01, 0x2C});
    EXPECT_EQ(sequenceLines(keys, names), (Lines{u"A  dn", u"300 ms", u"A  up"}));
    SequenceLayout layout = layoutSequence(keys);
    EXPECT_EQ(layout.endOffset, 6u);
    EXPECT_EQ(layout.lineCount, 3u);
    EXPECT_EQ(lineToEvent(layout, 0), 0u);
    EXPECT_EQ(lineToEvent(layout, 1), 2u);
    EXPECT_EQ(lineToEvent(layout, 3), 6u);
    EXPECT_TRUE(layout.isDelayLine(1));
    EXPECT_FALSE(layout.isDelayLine(2));
    EXPECT_EQ(layout.eventAtLine(2)->offset, 2u);
    EXPECT_EQ(layout.eventAtLine(3), nullptr);

    EventBuffer mouse = buffer({0x01, 0xF0, 0x81, 0xF0, 0x01, 0xF2, 0x01, 0xFF});
    EXPECT_EQ(sequenceLines(mouse, names), (Lines{u"MsLB dn", u"MsLB up", u"MsMB dn", u" dn"}));
}

TEST_F(MacroSequenceTest, FirstEventNeverShowsADelayLine) {
    EventBuffer keys = buffer({0x7F, kA, 0x01, 0x2C, 0x82, kA});
    EXPECT_EQ(sequenceLines(keys, names), (Lines{u"A  dn", u"2 ms", u"A  up"}));
    EXPECT_EQ(lineToEvent(layoutSequence(keys), 1), 4u);
}

TEST_F(MacroSequenceTest, DelayCodeZeroCountsAndShowsAsNoDelay) {
    EventBuffer keys = buffer({0x01, kA, 0x80, kA, 0x00, 66});
    EXPECT_EQ(sequenceLines(keys, names), (Lines{u"A  dn", u"A  up", u"B  dn"}));
    EXPECT_EQ(lineToEvent(layoutSequence(keys), 2), 4u);
}

TEST_F(MacroSequenceTest, SequenceEndsAtTheFirstZeroCode) {
    EventBuffer keys = buffer({0x01, kA, 0x81, 0x00, 0x01, kA});
    SequenceLayout layout = layoutSequence(keys);
    EXPECT_EQ(layout.events.size(), 1u);
    EXPECT_EQ(layout.endOffset, 2u);
    EXPECT_EQ(sequenceLines(keys, names), (Lines{u"A  dn"}));
}

TEST_F(MacroSequenceTest, EventThatDoesNotFitWholeEndsTheSequence) {
    EventBuffer keys{};
    for (std::size_t i = 0; i < 188; i += 2) {
        keys[i] = 0x01;
        keys[i + 1] = kA;
    }
    keys[188] = 0xFF;
    keys[189] = kA;
    SequenceLayout layout = layoutSequence(keys);
    EXPECT_EQ(layout.events.size(), 94u);
    EXPECT_EQ(layout.endOffset, 188u);
    EXPECT_EQ(sequenceLines(keys, names).size(), 94u);

    keys[188] = 0x05; // a two-byte event fits exactly, after a wait of 5 ms
    SequenceLayout full = layoutSequence(keys);
    EXPECT_EQ(full.endOffset, 190u);
    EXPECT_EQ(full.events.size(), 95u);
    EXPECT_EQ(full.lineCount, 96u);
    EXPECT_EQ(lineToEvent(full, full.lineCount), 190u);
}

} // namespace
} // namespace talvex
