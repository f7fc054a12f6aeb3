#include "app/keyboard_access.h"

#include "platform/prompts.h"
#include "platform/udev_rule.h"

namespace talvex {

std::string keyboardAccessAdvice() {
    const std::string rule = "/etc/udev/rules.d/" + std::string(udevRuleFileName());
    return "A Kestrix keyboard is attached, but this user may not open it.\n"
           "Install the udev rule that lets the user at the seat use the keyboard, then plug it "
           "in again:\n"
           "  kestrix-cli udev-rule | sudo tee " +
           rule +
           "\n"
           "  sudo udevadm control --reload-rules\n"
           "(The Debian package installs the rule itself.)";
}

bool explainKeyboardPresence(KeyboardPresence presence, Prompts& prompts) {
    if (presence != KeyboardPresence::CannotOpen)
        return false;
    prompts.message(keyboardAccessAdvice(), "Kestrix", MessageButtons::Ok, MessageIcon::Warning);
    return true;
}

} // namespace talvex
