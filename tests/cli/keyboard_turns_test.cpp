// Commands run at once on one keyboard: each waits for the one before it, so none saves over
// another's change, and one that cannot get its turn says who is in the way.

#include "cli/cli_context.h"
#include "cli_fixture.h"

#include <gmock/gmock.h>

#include <array>
#include <thread>

namespace talvex {
namespace {

using testing::Cli;
using namespace std::chrono_literals;

TEST_F(Cli, CommandsRunAtOnceOnOneStateFileAllLand) {
    std::array<int, kPaletteSlotCount> codes{};
    std::array<std::string, kPaletteSlotCount> errors;
    std::vector<std::thread> threads;
    for (std::size_t n = 0; n < kPaletteSlotCount; ++n)
        threads.emplace_back([&, n] { // palette1=111111, palette2=222222, ...
            const std::string slot = std::to_string(n + 1);
            std::ostringstream o, e;
            codes[n] = runCli(
                {"--simulate=" + state, "set", "palette" + slot + "=" + std::string(6, slot[0])}, o,
                e);
            errors[n] = e.str();
        });
    for (std::thread& thread : threads)
        thread.join();
    const DeviceSettings image = stateImage();
    for (std::size_t at = 0; at < image.palette.size(); ++at) {
        EXPECT_EQ(codes[at / 3], kExitOk) << errors[at / 3];
        EXPECT_EQ(image.palette[at], 0x11 * (at / 3 + 1)) << "palette" << at / 3 + 1;
    }
}

TEST_F(Cli, AKeyboardInUseIsNamedAndLeftUntouched) {
    KeyboardLock holder;
    ASSERT_TRUE(holder.acquire(simulatorLockFile(state), 0ms));
    CliOptions options;
    options.simulate = true;
    options.simulatorStateFile = state;
    options.keyboardLockWait = 50ms;
    std::ostringstream o, e;
    EXPECT_EQ(CliContext(options, o, e).connect(), kExitNoKeyboard);
    EXPECT_THAT(e.str(), ::testing::EndsWith("is using the keyboard (lock " + state +
                                             ".lock); try again when it is done\n"));
    // The state is read only under the lock: it is not even created while another holds it.
    EXPECT_FALSE(std::filesystem::exists(state));
}

} // namespace
} // namespace talvex
