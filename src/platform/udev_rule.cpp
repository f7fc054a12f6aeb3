#include "platform/udev_rule.h"

#include "install_layout.h"

namespace talvex {

std::string_view udevRuleFileName() {
    return generated::kUdevRuleFileName;
}

std::string_view udevRuleText() {
    return generated::kUdevRuleText;
}

} // namespace talvex
