#pragma once
// The macro manager's behaviour without a window: the name list and what moves with it in the
// edited macros (new, delete, rename), the seven hot areas with their hover and clicks, the
// loop-count box, the event list's context-menu commands, what the dialog tells the user, and
// what it paints. The recording and editing rules themselves are MacroEditor's. MacroManagerDialog
// shows all of it with Qt widgets.

#include "controls/canvas.h"
#include "controls/hot_buttons.h"
#include "keys/key_name_table.h"
#include "macros/macro_editor.h"
#include "macros/macro_record.h"
#include "macros/named_macro_list.h"
#include "platform/clock.h"
#include "platform/key_hook.h"
#include "platform/prompts.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// What the dialog logic asks of its window.
class MacroManagerHost {
public:
    virtual ~MacroManagerHost() = default;
    // Ends the dialog; ok = savedMacros holds the edited macros.
    virtual void closeDialog(bool ok) = 0;
    // Moves the window with the mouse as if its caption had been grabbed at the point.
    virtual void startWindowDrag(int x, int y) = 0;
    // A captured key changed the lists or the painted state outside of a window event.
    virtual void refresh() = 0;
};

struct MacroManagerPorts {
    KeyHook& hook;
    Prompts& prompts;
    const SteadyClock& clock;
    MacroManagerHost& host;
};

// The commands of the event list's context menu "MacroDefine".
enum class MacroMenuCommand {
    InsertKeyBefore = 32790,
    InsertKeyAfter = 32791,
    InsertDelay = 32793,
    LeftPress = 32800,
    LeftRelease = 32801,
    LeftClick = 32802,
    RightPress = 32804,
    RightRelease = 32806,
    RightClick = 32807,
    MiddlePress = 32811,
    MiddleRelease = 32812,
    MiddleClick = 32813,
    DeleteLine = 32815,
};

// One item of the context menu, in menu order. `submenu` and `button` name the submenus the
// item sits in ("插入鼠标按键" › "左键"), empty at the top level.
struct MacroMenuItem {
    std::string_view submenu;
    std::string_view button;
    std::string_view text;
    MacroMenuCommand command;
};

std::span<const MacroMenuItem> macroMenuItems();

class MacroManagerLogic {
public:
    enum Area { Record = 0, DelayTick, LoopTick, New, Delete, Ok, Cancel, AreaCount };

    struct HotArea {
        Rect rect; // inclusive on all four edges
        const char* normalImage;
        const char* hoverImage; // also the ticked image of the two ticks
    };

    static constexpr const char* kBackgroundImage = "MacroManagement.png";
    static constexpr int kLoopBoxMaxLength = 3;

    static std::span<const HotArea, AreaCount> hotAreas();

    MacroManagerLogic(MacroStore& savedMacros, const KeyNameTable& names, MacroManagerPorts ports);
    ~MacroManagerLogic();
    MacroManagerLogic(const MacroManagerLogic&) = delete;
    MacroManagerLogic& operator=(const MacroManagerLogic&) = delete;

    // Copies the saved macros into the edited ones and shows the first macro. Everything the
    // previous opening changed is reset.
    void open();

    // Window events, in window coordinates.
    std::optional<int> hitTest(int x, int y) const;
    // True when something drawn under the pointer changed.
    bool onMouseMove(int x, int y);
    void onLButtonDown(int x, int y);
    void onLButtonUp(int x, int y);

    void onNameSelection(int index); // -1 = none
    void onEventLineSelection(int line);
    void onLoopTextChanged(const std::string& text);
    // An in-place edit begins in either list: the keyboard belongs to the editor now.
    void onListEditBegins();
    // A delay line was edited in place to delayMs (already within 2..60000).
    void onDelayEdited(int line, int delayMs);
    // The name at `oldIndex` was edited to `newName`; the record goes where the sorted list puts
    // the new name. Returns that index.
    std::optional<std::size_t> onNameEdited(std::size_t oldIndex, std::u16string newName);
    void onMenuCommand(MacroMenuCommand command);

    void paint(Canvas& canvas) const;

    // What the controls show.
    const std::vector<std::u16string>& names() const { return list_.names(); }
    int nameSelection() const;
    const std::vector<std::u16string>& eventLines() const { return editor_.lines(); }
    int eventLineSelection() const;
    const std::string& loopText() const { return editor_.loopText(); }
    bool loopBoxEnabled() const { return editor_.loopOption(); }
    // A short notice painted in the options card, empty when there is none.
    const std::string& notice() const { return notice_; }
    bool hover(int area) const { return buttons_.lit(area); }

    const MacroEditor& editor() const { return editor_; }
    const MacroStore& editedMacros() const { return *editedMacros_; }

private:
    void runArea(int area);
    void toggleRecording();
    void newMacro();
    void deleteMacro();
    void confirm();
    void cancel();
    void onEditOutcome(EditOutcome outcome);
    void onStrokeOutcome(EditOutcome outcome);
    MessageAnswer tell(const char* text, MessageButtons buttons = MessageButtons::Ok);
    void paintArea(Canvas& canvas, int area, bool on) const;

    MacroStore& savedMacros_;
    MacroManagerPorts ports_;
    // The store is large; it lives on the heap with the logic.
    std::unique_ptr<MacroStore> editedMacros_;
    NamedMacroList list_;
    MacroEditor editor_;

    HotButtons<int> buttons_;
    std::string notice_;
};

} // namespace talvex
