// kestrix-cli while the window runs: the command goes through the window's socket, the window
// carries it out with its own channel, and its view, its next save and the keyboard agree.
#include "app/forwarded_run.h"
#include "app/qt/main_window.h"
#include "app/qt/single_instance.h"
#include "cli/cli.h"
#include "cli/forwarded_keyboard_work.h"
#include "keys/factory_configuration.h"
#include "keys/keymap_file.h"
#include "main_window_stand_ins.h"
#include "qt_test_app.h"
#include "test_folder.h"

#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <stdlib.h>
#include <thread>

namespace talvex {
namespace {

class WindowForwarding : public ::testing::Test, protected testing::MainWindowStandIns {
protected:
    testing::TestFolder program{"talvex-program"}, data{"talvex-data"};
    // Short: a socket's whole path must fit in 108 bytes.
    std::filesystem::path runtime = shortRuntimeFolder();
    std::string state = (runtime / "k.state").string();
    std::unique_ptr<MainWindow> dlg;
    std::unique_ptr<SingleInstance> instance;
    std::string out, err;

    void SetUp() override {
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        bus.keyboard = std::make_shared<SimulatedKeyboard>(factorySettings());
        MainWindowSettings settings;
        settings.paths = {program.path(), data.path()};
        settings.keyboard = forwardedKeyboardName(true, state);
        settings.keyboardWork = runForwardedKeyboardWork;
        settings.keyAssign = runForwardedAssign;
        dlg = std::make_unique<MainWindow>(ports(), settings);
        dlg->initDialog();
        ASSERT_TRUE(testing::spinUntil([this] { return !dlg->session().busy(); }));
        instance =
            std::make_unique<SingleInstance>(SingleInstance::runtimeFolder(), SingleInstance::kKey);
        ASSERT_TRUE(instance->claim());
        instance->setForwardHandler(
            [this](const ForwardedRequest& request, SingleInstance::ForwardAnswer answer) {
                dlg->carryOut(request, std::move(answer));
            });
    }
    void TearDown() override {
        instance.reset();
        dlg.reset();
        ::unsetenv("XDG_RUNTIME_DIR");
        std::filesystem::remove_all(runtime);
    }

    static std::filesystem::path shortRuntimeFolder() {
        char name[] = "/tmp/kx-XXXXXX"; // made 0700
        return ::mkdtemp(name);
    }

    // kestrix-cli as a user runs it, on its own thread while the window's loop goes on.
    int cli(std::vector<std::string> args) {
        args.insert(args.begin(), "--simulate=" + state);
        int code = -1;
        bool done = false;
        std::ostringstream o, e;
        std::thread command([&] {
            code = runCli(args, o, e);
            done = true;
        });
        EXPECT_TRUE(testing::spinUntil([&] { return done; }, 20000));
        command.join();
        out = o.str();
        err = e.str();
        return code;
    }
    DeviceSettings& working() { return dlg->keys().workingSettings; }
};

TEST_F(WindowForwarding, ASetShowsInTheWindowAndSurvivesItsSaveWhileTheUsersEditsStay) {
    working().lightSpeed = 2; // the user's edit, not saved
    ASSERT_EQ(cli({"set", "brightness=5", "speed=9", "palette1=123456"}), 0) << err;
    EXPECT_NE(err.find("the running window carried this command out"), std::string::npos);
    EXPECT_EQ(bus.keyboard->image().lightBrightness, 5);
    EXPECT_EQ(working().lightBrightness, 5);
    EXPECT_EQ(working().lightSpeed, 2);
    EXPECT_EQ(working().palette[0], 0x12);
    EXPECT_EQ(dlg->deviceSnapshot().lightSpeed, 9);
    EXPECT_EQ(dlg->deviceSnapshot(), bus.keyboard->image());

    dlg->commands().save();
    ASSERT_TRUE(testing::spinUntil([this] { return !dlg->session().busy(); }));
    const DeviceSettings held = bus.keyboard->image();
    EXPECT_EQ(held.lightBrightness, 5);
    EXPECT_EQ(held.lightSpeed, 2);
    EXPECT_EQ(held.palette[0], 0x12);
}

TEST_F(WindowForwarding, TheWindowRefusesWhatWouldRunOverTheUserOrAMisbehavingKeyboard) {
    ASSERT_EQ(cli({"read", (runtime / "backup.bin").string()}), 0) << err;
    EXPECT_EQ(cli({"--data-folder=" + data.path().string(), "profile", "list"}), 0) << err;

    working().lightBrightness = 7;
    EXPECT_EQ(cli({"reset"}), 2);
    EXPECT_NE(err.find("holds changes that are not on the keyboard"), std::string::npos) << err;
    EXPECT_EQ(cli({"apply", (runtime / "backup.bin").string()}), 2);
    EXPECT_EQ(cli({"--simulate-fault=no-ack", "info"}), 2);
    EXPECT_NE(err.find("--simulate-fault"), std::string::npos) << err;

    QDialog dialog(dlg.get());
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(cli({"set", "speed=1"}), 2);
        dialog.reject();
    });
    dialog.exec();
    EXPECT_NE(err.find("dialog open"), std::string::npos) << err;
    EXPECT_NE(bus.keyboard->image().lightSpeed, 1);
}

TEST_F(WindowForwarding, AssignOnTheWindowsKeymapBinIsTheWindowsKeyDialogSave) {
    working().lightBrightness = 9; // unsaved: an assignment must not write it away
    const std::string keymap = (data / "keymap.bin").string();
    ASSERT_EQ(cli({"assign", keymap, "63", "single", "66"}), 0) << err; // A sends B
    EXPECT_NE(out.find("assignment"), std::string::npos);
    EXPECT_EQ(dlg->keys().assignments[63].data[0], 66);
    DeviceSettings onDisk = zeroSettings();
    auto entries = std::make_unique<KeyAssignments>();
    ASSERT_TRUE(loadKeymapFile(keymap, onDisk, *entries, false).ok());
    EXPECT_EQ(onDisk, working());
    EXPECT_EQ(*entries, dlg->keys().assignments);
    EXPECT_EQ(working().lightBrightness, 9);
}

} // namespace
} // namespace talvex
