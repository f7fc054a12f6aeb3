#include "app/keyboard_access.h"

#include <gtest/gtest.h>

#include "platform/scripted_prompts.h"

namespace talvex {
namespace {

TEST(KeyboardAccess, OnlyAnAttachedKeyboardThatCannotBeOpenedIsExplained) {
    ScriptedPrompts prompts;
    EXPECT_FALSE(explainKeyboardPresence(KeyboardPresence::Open, prompts));
    EXPECT_FALSE(explainKeyboardPresence(KeyboardPresence::NotAttached, prompts));
    EXPECT_TRUE(prompts.questions.empty());

    EXPECT_TRUE(explainKeyboardPresence(KeyboardPresence::CannotOpen, prompts));
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompts.questions[0].buttons, MessageButtons::Ok);
    // The fix is named, with the command that prints the rule and where it goes.
    const std::string& text = prompts.questions[0].text;
    EXPECT_EQ(text, keyboardAccessAdvice());
    EXPECT_NE(text.find("kestrix-cli udev-rule | sudo tee /etc/udev/rules.d/70-kestrix.rules"),
              std::string::npos);
}

} // namespace
} // namespace talvex
