#include "platform/keyboard_lock.h"

#include "test_folder.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::HasSubstr;

TEST(KeyboardLock, OneHolderAtATimeAndTheWaiterGetsItOnRelease) {
    testing::TestFolder folder("talvex-lock");
    const fs::path file = folder / "k.lock";
    KeyboardLock first, second;
    ASSERT_TRUE(first.acquire(file, 0ms));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    std::ofstream(file) << "kept";

    const LockResult refused = second.acquire(file, 80ms);
    EXPECT_EQ(refused.status, LockStatus::Busy);
    EXPECT_THAT(refused.message, HasSubstr("pid " + std::to_string(::getpid()) +
                                           ") is using the keyboard (lock " + file.string()));

    std::thread releaser([&] {
        std::this_thread::sleep_for(50ms);
        first.release();
    });
    EXPECT_TRUE(second.acquire(file, 5s));
    releaser.join();
    EXPECT_EQ(fs::file_size(file), 4u);
}

TEST(KeyboardLock, WhatIsNotAPlainFileIsRefusedAtOnceAndLeftAlone) {
    testing::TestFolder folder("talvex-lock");
    std::ofstream(folder / "target") << "x";
    const std::pair<const char*, std::function<void(const fs::path&)>> kinds[] = {
        {"a symlink", [&](const fs::path& at) { fs::create_symlink(folder / "target", at); }},
        {"a symlink", [&](const fs::path& at) { fs::create_symlink(folder / "nowhere", at); }},
        {"not a regular file",
         [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
    };
    const auto started = std::chrono::steady_clock::now();
    for (const auto& [kind, make] : kinds) {
        const fs::path at = folder / "k.lock";
        fs::remove_all(at);
        make(at);
        const fs::file_type before = fs::symlink_status(at).type();
        KeyboardLock lock;
        const LockResult refused = lock.acquire(at, 5s);
        EXPECT_EQ(refused.status, LockStatus::NotLockable) << kind;
        EXPECT_EQ(refused.message,
                  "the keyboard lock " + at.string() + " is " + kind + "; it was left alone");
        EXPECT_EQ(fs::symlink_status(at).type(), before) << kind;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s); // refused, not waited on
    EXPECT_FALSE(fs::exists(folder / "nowhere"));
}

} // namespace
} // namespace talvex
