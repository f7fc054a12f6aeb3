#include "keys/function_catalogue.h"

#include "platform/ui_text.h"
#include "platform/utf16.h"

#include <initializer_list>

namespace talvex {

namespace {

constexpr KeySlot keys(std::uint8_t k1, std::uint8_t k2, std::uint8_t k3) {
    return KeySlot{{kSlotKeys, k1, k2, k3}};
}
constexpr KeySlot consumer(std::uint8_t low, std::uint8_t high) {
    return KeySlot{{kSlotConsumer, 0, low, high}};
}

constexpr std::array<FunctionEntry, kFunctionCount> kCatalogue = {{
    {u"搜索", keys(227, 9, 0)},          // left Windows + F
    {u"运行", keys(227, 21, 0)},         // left Windows + R
    {u"多媒体播放器", consumer(131, 1)}, // 0x0183 consumer control configuration
    {u"上一曲", consumer(182, 0)},       // 0x00B6 scan previous track
    {u"下一曲", consumer(181, 0)},       // 0x00B5 scan next track
    {u"暂停", consumer(183, 0)},         // 0x00B7 stop
    {u"音量+", consumer(233, 0)},        // 0x00E9 volume increment
    {u"音量-", consumer(234, 0)},        // 0x00EA volume decrement
    {u"静音", consumer(226, 0)},         // 0x00E2 mute
    {u"停止-播放", consumer(205, 0)},    // 0x00CD play/pause
    {u"新建", keys(224, 17, 0)},         // left Ctrl + N
    {u"剪切", keys(224, 27, 0)},         // left Ctrl + X
    {u"复制", keys(224, 6, 0)},          // left Ctrl + C
    {u"粘贴", keys(224, 25, 0)},         // left Ctrl + V
    {u"保存", keys(224, 22, 0)},         // left Ctrl + S
    {u"打印", keys(224, 19, 0)},         // left Ctrl + P
    {u"全选", keys(224, 4, 0)},          // left Ctrl + A
    {u"最大化", keys(226, 44, 27)},      // left Alt + Space + X
    {u"最小化", keys(226, 44, 17)},      // left Alt + Space + N
    {u"我的电脑", consumer(148, 1)},     // 0x0194 local machine browser
    {u"任务管理器", keys(224, 226, 76)}, // left Ctrl + left Alt + Delete
    {u"浏览器-主页", consumer(35, 2)},   // 0x0223 browser home
    {u"关闭窗口", keys(226, 61, 0)},     // left Alt + F4
}};

} // namespace

const std::array<FunctionEntry, kFunctionCount>& functionCatalogue() {
    return kCatalogue;
}

std::optional<KeySlot> findFunction(std::u16string_view name) {
    for (const FunctionEntry& entry : kCatalogue)
        if (entry.name == name)
            return entry.slot;
    return std::nullopt;
}

std::u16string_view functionNameOfSlot(const KeySlot& slot) {
    for (const FunctionEntry& entry : kCatalogue)
        if (entry.slot == slot)
            return entry.name;
    return {};
}

const std::vector<FunctionTreeItem>& functionTreeItems() {
    static const std::vector<FunctionTreeItem> items = [] {
        std::vector<FunctionTreeItem> list;
        // UTF-8 literals, so that the translation tools find the captions.
        auto top = [&](const char* text) { list.push_back({utf8ToUtf16(text), text, -1, false}); };
        auto group = [&](const char* text, std::initializer_list<const char*> kids) {
            const int parent = static_cast<int>(list.size());
            list.push_back({utf8ToUtf16(text), text, -1, true});
            for (const char* kid : kids)
                list.push_back({utf8ToUtf16(kid), kid, parent, false});
        };
        top(TALVEX_TEXT("搜索"));
        top(TALVEX_TEXT("运行"));
        group(TALVEX_TEXT("多媒体"),
              {TALVEX_TEXT("多媒体播放器"), TALVEX_TEXT("上一曲"), TALVEX_TEXT("下一曲"),
               TALVEX_TEXT("停止-播放"), TALVEX_TEXT("暂停"), TALVEX_TEXT("音量+"),
               TALVEX_TEXT("音量-"), TALVEX_TEXT("静音")});
        group(TALVEX_TEXT("快捷键"),
              {TALVEX_TEXT("新建"), TALVEX_TEXT("剪切"), TALVEX_TEXT("复制"), TALVEX_TEXT("粘贴"),
               TALVEX_TEXT("保存"), TALVEX_TEXT("打印"), TALVEX_TEXT("全选")});
        group("Windows", {TALVEX_TEXT("最大化"), TALVEX_TEXT("最小化")});
        top(TALVEX_TEXT("我的电脑"));
        top(TALVEX_TEXT("任务管理器"));
        top(TALVEX_TEXT("浏览器-主页"));
        top(TALVEX_TEXT("关闭窗口"));
        return list;
    }();
    return items;
}

} // namespace talvex
