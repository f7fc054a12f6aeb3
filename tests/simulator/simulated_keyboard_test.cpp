#include "device/hid_transport.h"
#include "keys/default_key_table.h"
#include "platform/file_io.h"
#include "simulator/simulated_keyboard.h"
#include "simulator/simulator_backend.h"
#include "simulator/simulator_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace talvex {
namespace {

FeatureReport ask(SimulatedKeyboard& kb, const FeatureReport& request) {
    EXPECT_TRUE(kb.setFeature(request));
    FeatureReport response{};
    EXPECT_TRUE(kb.getFeature(response));
    return response;
}

TEST(SimulatedKeyboard, FactoryValuesAnswerTheReadCommands) {
    SimulatedKeyboard kb;
    const DeviceSettings factory = factorySettings();
    EXPECT_EQ(factory.lightEffect, 1);
    EXPECT_EQ(factory.lightBrightness, 50);
    EXPECT_EQ(factory.gameMode, 0);
    EXPECT_EQ(factory.keyFlags[20], 0x3F);
    DeviceSettings table = zeroSettings();
    fillDefaultKeyTable(table.keyTable);
    EXPECT_EQ(factory.keyTable, table.keyTable);

    const auto lighting = ask(kb, makeRequest(0x88));
    EXPECT_EQ(lighting[1], 0x88);
    EXPECT_EQ(lighting[3], 1);
    EXPECT_EQ(lighting[4], 10 - factory.lightSpeed);
    EXPECT_EQ(lighting[5], 50);
    const auto colour = ask(kb, makeRequest(0x94, {0, 6}));
    EXPECT_EQ(colour[4], factory.palette[18]);
    EXPECT_EQ(colour[8], requestChecksum(colour));
}

TEST(SimulatedKeyboard, RejectsBadChecksumsAndParameters) {
    SimulatedKeyboard kb;
    FeatureReport bad = makeRequest(0x01, {3});
    bad[8] ^= 1;
    kb.setFeature(bad);
    kb.setFeature(makeRequest(0x94, {0, 7}));
    kb.setFeature(makeRequest(0x08, {3}));
    kb.setFeature(makeRequest(0x55));
    EXPECT_EQ(kb.badRequests(), 4);
    EXPECT_EQ(kb.writeSteps(), 0);
    EXPECT_EQ(kb.image().reportInterval, factorySettings().reportInterval);
}

TEST(SimulatedKeyboard, OnlyHostActionKeysReportPresses) {
    DeviceSettings image = factorySettings();
    image.keyTable[4 * 7] = 10;
    image.keyTable[4 * 7 + 2] = 0x70;
    SimulatedKeyboard kb(image);
    kb.pressKey(8);   // an ordinary key
    kb.pressKey(500); // no such cell
    kb.pressKey(7);
    InputReport report{};
    ASSERT_EQ(kb.readInput(report, 0), InputResult::Report);
    EXPECT_EQ(report, (InputReport{4, 1, 0x70, 0}));
    EXPECT_EQ(kb.readInput(report, 0), InputResult::Timeout);
}

TEST(SimulatedKeyboard, GarbageFaultScramblesResponses) {
    SimulatedKeyboard kb;
    SimulatorFaults faults;
    faults.garbageResponses = true;
    kb.setFaults(faults);
    const auto a = ask(kb, makeRequest(0x80));
    const auto b = ask(kb, makeRequest(0x80));
    EXPECT_NE(a, b);
}

TEST(SimulatedKeyboard, UnpluggedKeyboardFailsEveryCallAndDisappears) {
    auto kb = std::make_shared<SimulatedKeyboard>();
    SimulatorBackend backend(kb);
    EXPECT_EQ(backend.enumerate().size(), 3u);
    EXPECT_FALSE(backend.open("sim:nothing", ChannelRole::Command));
    SimulatorFaults faults;
    faults.unplugAfterReports = 1;
    kb->setFaults(faults);
    EXPECT_TRUE(kb->setFeature(makeRequest(0x80)));
    FeatureReport response{};
    EXPECT_FALSE(kb->getFeature(response));
    InputReport input{};
    EXPECT_EQ(kb->readInput(input, 1000), InputResult::Error);
    EXPECT_TRUE(backend.enumerate().empty());
    EXPECT_FALSE(backend.open(findDevicePath({}, ChannelRole::Command), ChannelRole::Command));
}

class StateFile : public ::testing::Test {
protected:
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("talvex-sim-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(StateFile, MissingFileStartsFromTheFactoryAndIsCreated) {
    std::string error;
    const auto image = loadSimulatorState(dir / "k.state", error);
    ASSERT_TRUE(image);
    EXPECT_EQ(*image, factorySettings());
    EXPECT_EQ(std::filesystem::file_size(dir / "k.state"), kDeviceSettingsSize);
}

TEST_F(StateFile, WritesPersistAndWrongSizesAreRefused) {
    std::string error;
    auto kb = SimulatedKeyboard(*loadSimulatorState(dir / "k.state", error));
    kb.setOnWrite(
        [&](const DeviceSettings& s) { EXPECT_TRUE(saveSimulatorState(dir / "k.state", s)); });
    kb.setFeature(makeRequest(0x04, {7}));
    EXPECT_EQ(loadSimulatorState(dir / "k.state", error)->responseTime, 7);

    const std::vector<std::uint8_t> shortFile(100, 0);
    ASSERT_TRUE(writeFileAtomically(dir / "bad.state", shortFile));
    EXPECT_FALSE(loadSimulatorState(dir / "bad.state", error));
    EXPECT_NE(error.find("not a 10060-byte settings image"), std::string::npos);
}

} // namespace
} // namespace talvex
