#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "keys/configuration_check.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "simulator/simulated_keyboard.h"

namespace talvex {
namespace {

enum Verdict { Pass, Overridable, Refused };
constexpr std::size_t kEscCell = 5; // position 0

class ConfigurationCheckTest : public ::testing::Test {
protected:
    ConfigurationCheckTest() { resetAssignments(assignments); }

    Verdict verdict(const DeviceSettings& s, CheckScope scope = CheckScope::Send,
                    const DeviceSettings* held = nullptr) const {
        const auto problem = firstProblem(s, &assignments, held, scope);
        return !problem ? Pass : problem->overridable ? Overridable : Refused;
    }

    DeviceSettings factory = factorySettings();
    KeyAssignments assignments;
};

TEST_F(ConfigurationCheckTest, SettingRangesAtTheirEdges) {
    using S = DeviceSettings;
    // Every field 0 is covered by the blank image; lightColour has no refused value.
    const std::tuple<std::uint8_t S::*, std::uint8_t, Verdict> rows[] = {
        {&S::reportInterval, 3, Pass},        {&S::reportInterval, 4, Overridable},
        {&S::responseTime, 10, Pass},         {&S::responseTime, 11, Overridable},
        {&S::lightEffect, 55, Pass},          {&S::lightEffect, 56, Overridable},
        {&S::lightSpeed, 10, Pass},           {&S::lightSpeed, 11, Overridable},
        {&S::lightBrightness, 50, Pass},      {&S::lightBrightness, 51, Overridable},
        {&S::lightColour, 255, Pass},         {&S::lightDirection, 4, Pass},
        {&S::lightDirection, 5, Overridable}, {&S::gameMode, 2, Overridable},
        {&S::winLock, 2, Overridable},
    };
    EXPECT_EQ(verdict(zeroSettings()), Pass);
    EXPECT_EQ(verdict(factory), Pass);
    for (const auto& [field, value, expected] : rows) {
        SCOPED_TRACE(testing::Message() << "row value " << int(value));
        DeviceSettings s = factory;
        s.*field = value;
        EXPECT_EQ(verdict(s), expected);
        EXPECT_EQ(verdict(s, CheckScope::Import), Pass);
        EXPECT_EQ(verdict(s, CheckScope::Send, &s), Pass); // what the keyboard holds already
    }
}

TEST_F(ConfigurationCheckTest, SlotKindsAndMacroNumbersAreRefusedInEveryScope) {
    // The factory table covers kinds 0, 2 and 3.
    const std::pair<KeySlot, Verdict> rows[] = {
        {{{kSlotMacro, 1, 31, 0}}, Pass},    {{{kSlotHostAction, 0, 27, 0}}, Pass},
        {{{kSlotMacro, 1, 32, 0}}, Refused}, {{{1, 0, 4, 0}}, Refused},
        {{{11, 0, 4, 0}}, Refused},
    };
    for (const auto& [slot, expected] : rows) {
        SCOPED_TRACE(testing::PrintToString(slot.bytes));
        DeviceSettings s = factory;
        writeSlot(s, kEscCell, slot);
        EXPECT_EQ(verdict(s), expected);
        EXPECT_EQ(verdict(s, CheckScope::Import), expected);
        EXPECT_EQ(verdict(s, CheckScope::Send, &s), Pass);
    }
}

TEST_F(ConfigurationCheckTest, AssignmentTypesAndKeyCounts) {
    // type, keyCount, verdict when sent, verdict on import
    const std::tuple<std::uint8_t, std::uint8_t, Verdict, Verdict> rows[] = {
        {0, 1, Pass, Pass},        {0, 2, Overridable, Pass},  {1, 3, Pass, Pass},
        {1, 4, Overridable, Pass}, {2, 200, Pass, Pass},       {7, 0, Pass, Pass},
        {8, 0, Refused, Refused},  {255, 0, Refused, Refused},
    };
    for (const auto& [type, count, sent, imported] : rows) {
        SCOPED_TRACE(testing::Message() << "type " << int(type) << " count " << int(count));
        assignments[107].type = type;
        assignments[107].keyCount = count;
        EXPECT_EQ(verdict(factory), sent);
        EXPECT_EQ(verdict(factory, CheckScope::Import), imported);
    }
}

TEST_F(ConfigurationCheckTest, BytesNoRuleCoversAreNeverJudged) {
    DeviceSettings s = factory;
    for (auto* bytes : {s.reserved0.data(), s.reserved1.data(), s.macroSlots.data(),
                        s.palette.data(), s.customLayouts.data()})
        bytes[0] = 0xEE;
    s.keyFlags[0] |= 0xC0;
    for (std::size_t cell : {24u, 126u, 127u}) // 24 belongs to no position
        writeSlot(s, cell, KeySlot{{0xEE, 0, 0xEE, 0}});
    assignments[kKeyPositionCount].type = 0xEE;
    // A macro key saved without a macro keeps number 255 in its data.
    assignments[0].type = static_cast<std::uint8_t>(AssignmentType::MacroKey);
    assignments[0].data[2] = 255;
    EXPECT_EQ(verdict(s), Pass);
}

TEST_F(ConfigurationCheckTest, ProblemsNameTheirFieldAndUnoverridableOnesComeFirst) {
    DeviceSettings s = factory;
    s.lightBrightness = 77;
    assignments[3].keyCount = 9;
    writeSlot(s, kEscCell, KeySlot{{7, 0, 0, 0}});
    using Found = std::vector<std::pair<std::string, std::string>>;
    Found found;
    for (const auto& p : listProblems(s, &assignments, nullptr, CheckScope::Send))
        found.emplace_back(p.field, p.message);
    EXPECT_EQ(found,
              (Found{
                  {"keyTable[5]", "key slot of position 0 (cell 5) has kind 7"},
                  {"lightBrightness", "lightBrightness 77 is outside 0-50"},
                  {"assignments[3].keyCount", "assignment of position 3 holds 9 keys, outside 0-1"},
              }));
    EXPECT_EQ(verdict(s), Refused);
}

TEST_F(ConfigurationCheckTest, WorkingKeyNeedsAnEnabledNonEmptyKeyBesidesFnAndWindows) {
    EXPECT_TRUE(hasWorkingKey(factory));
    EXPECT_FALSE(hasWorkingKey(zeroSettings()));
    DeviceSettings s = factory;
    s.keyFlags.fill(0);
    for (std::size_t position : {kFnPosition, std::size_t{96}, std::size_t{0}}) {
        EXPECT_FALSE(hasWorkingKey(s));
        const std::size_t cell = keyPositions()[position].matrixCell;
        s.keyFlags[flagByteOfCell(cell)] |= flagMaskOfCell(cell);
    }
    EXPECT_TRUE(hasWorkingKey(s)); // Esc
    writeSlot(s, kEscCell, KeySlot{});
    EXPECT_FALSE(hasWorkingKey(s));
}

} // namespace
} // namespace talvex
