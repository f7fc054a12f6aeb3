#include "platform/key_capture.h"
#include "platform/scripted_key_hook.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace talvex {
namespace {

// The capture's word and the hook's state never disagree, whether installing works or not,
// and a pause puts back exactly what it found.
TEST(KeyCaptureTest, ActiveAlwaysMatchesTheHook) {
    for (bool installs : {true, false}) {
        SCOPED_TRACE(installs);
        ScriptedKeyHook hook;
        hook.installResult = installs;
        std::vector<KeyStroke> strokes;
        {
            KeyCapture capture(hook, 1, [&](KeyStroke s) { strokes.push_back(s); });
            EXPECT_EQ(capture.start(), installs);
            EXPECT_EQ(capture.active(), hook.installed());
            EXPECT_EQ(hook.installedMode(), installs ? 1 : 0);
            {
                const KeyCapture::Pause pause(capture);
                EXPECT_FALSE(capture.active());
                EXPECT_FALSE(hook.installed());
                const KeyCapture::Pause nested(capture);
                hook.tap(7); // typed into the prompt
            }
            EXPECT_EQ(capture.active(), installs);
            EXPECT_EQ(hook.installed(), installs);
            hook.tap(8);
            EXPECT_EQ(capture.start(), installs); // a second start installs nothing more
        }
        // Gone with the capture; a hook never installed is never removed.
        EXPECT_FALSE(hook.installed());
        EXPECT_EQ(hook.removeCount, installs ? 2 : 0);
        EXPECT_EQ(hook.installCount, 2);
        EXPECT_EQ(strokes.size(), installs ? 2u : 0u);
    }
}

TEST(KeyCaptureTest, APauseOfAStoppedCaptureLeavesItStopped) {
    ScriptedKeyHook hook;
    KeyCapture capture(hook, 0, [](KeyStroke) {});
    { const KeyCapture::Pause pause(capture); }
    EXPECT_FALSE(capture.active());
    EXPECT_EQ(hook.installCount, 0);
}

} // namespace
} // namespace talvex
