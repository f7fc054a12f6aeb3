#include "platform/qt/qt_key_hook.h"
#include "qt_test_app.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

namespace talvex {
namespace {

// Native scan codes as X11 and Wayland report them: evdev code + 8.
constexpr quint32 kScanA = 30 + 8;
constexpr quint32 kScanRightCtrl = 97 + 8;
constexpr quint32 kScanKeypadEnter = 96 + 8;

class QtKeyHookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::qtTestApp(); }
    void SetUp() override {
        edit.show();
        edit.setFocus();
    }

    // Returns whether the event was accepted by whoever handled it.
    bool send(QEvent::Type type, Qt::Key key, quint32 scanCode, const QString& text,
              bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, scanCode, 0, 0, text, autoRepeat);
        QCoreApplication::sendEvent(&edit, &event);
        return event.isAccepted();
    }
    void pressA(bool autoRepeat = false) {
        send(QEvent::KeyPress, Qt::Key_A, kScanA, "a", autoRepeat);
    }
    void releaseA(bool autoRepeat = false) {
        send(QEvent::KeyRelease, Qt::Key_A, kScanA, "a", autoRepeat);
    }
    KeyHook::Receiver collect() {
        return [this](KeyStroke s) { strokes.push_back(s); };
    }

    QLineEdit edit;
    QtKeyHook hook;
    std::vector<KeyStroke> strokes;
};

TEST_F(QtKeyHookTest, PressesOnlyModeDeliversOneStrokePerPressAndNoTypedText) {
    ASSERT_TRUE(hook.install(collect(), 0));
    pressA();
    pressA(true); // held down: auto-repeat
    releaseA();
    send(QEvent::KeyPress, Qt::Key_Control, kScanRightCtrl, {});
    send(QEvent::KeyPress, Qt::Key_Enter, kScanKeypadEnter, "\r");
    EXPECT_EQ(strokes, (std::vector<KeyStroke>{{'A', false}, {163, false}, {108, false}}));
    EXPECT_EQ(edit.text(), QString());
}

TEST_F(QtKeyHookTest, TransitionsModeDeliversRepeatsAsPressesAndReleases) {
    ASSERT_TRUE(hook.install(collect(), 1));
    pressA();
    releaseA(true); // X11 puts a synthetic release between auto-repeated presses
    pressA(true);
    releaseA();
    EXPECT_EQ(strokes, (std::vector<KeyStroke>{{'A', false}, {'A', false}, {'A', true}}));
    EXPECT_EQ(edit.text(), QString());
}

TEST_F(QtKeyHookTest, KeysWithoutAVirtualKeyAreSwallowedButNotDelivered) {
    ASSERT_TRUE(hook.install(collect(), 1));
    send(QEvent::KeyPress, Qt::Key_B, 0, "b");
    EXPECT_TRUE(strokes.empty());
    EXPECT_EQ(edit.text(), QString());
}

TEST_F(QtKeyHookTest, ShortcutsDoNotFireWhileInstalled) {
    ASSERT_TRUE(hook.install(collect(), 0));
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_S, Qt::ControlModifier, 31 + 8, 0, 0);
    override.ignore();
    QCoreApplication::sendEvent(&edit, &override);
    EXPECT_TRUE(override.isAccepted());
}

TEST_F(QtKeyHookTest, AfterRemovalKeysReachWidgetsAgain) {
    ASSERT_TRUE(hook.install(collect(), 0));
    hook.remove();
    pressA();
    EXPECT_TRUE(strokes.empty());
    EXPECT_EQ(edit.text(), "a");
}

TEST_F(QtKeyHookTest, ReceiverMayRemoveTheHookWhileHandlingAStroke) {
    // The macro dialog ends a single-key insertion from inside the release handler.
    ASSERT_TRUE(hook.install(
        [this](KeyStroke s) {
            strokes.push_back(s);
            if (s.release)
                hook.remove();
        },
        1));
    pressA();
    releaseA();
    pressA();
    EXPECT_EQ(strokes, (std::vector<KeyStroke>{{'A', false}, {'A', true}}));
    EXPECT_EQ(edit.text(), "a");
}

TEST_F(QtKeyHookTest, InstallingAgainReplacesReceiverAndMode) {
    std::vector<KeyStroke> first;
    ASSERT_TRUE(hook.install([&](KeyStroke s) { first.push_back(s); }, 0));
    ASSERT_TRUE(hook.install(collect(), 1));
    pressA();
    releaseA();
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(strokes, (std::vector<KeyStroke>{{'A', false}, {'A', true}}));
}

} // namespace
} // namespace talvex
