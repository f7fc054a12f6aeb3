#pragma once
// The key assignment dialog's behaviour without a window: which page is shown, what the two key
// boxes, the macro list and the function tree hold, how captured keys, focus changes and clicks
// change the dialog's answer, and what the painter shows. KeyMapDialog shows it with Qt widgets.

#include "controls/hot_buttons.h"
#include "keys/key_assignment_store.h"
#include "keys/key_choice.h"
#include "keys/key_map_layout_table.h"
#include "keys/key_name_table.h"
#include "keys/key_reach.h"
#include "platform/key_capture.h"
#include "platform/key_hook.h"
#include "platform/prompts.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

enum class KeyMapControl { SingleKeyBox, CombinationBox, MacroList, FunctionTree };

// What the dialog logic asks of its window.
class KeyMapHost {
public:
    virtual ~KeyMapHost() = default;
    virtual void focusControl(KeyMapControl control) = 0;
    // Ends the dialog; ok = the caller applies the edit.
    virtual void closeDialog(bool ok) = 0;
    // Moves the window with the mouse as if its caption had been grabbed at the point.
    virtual void startWindowDrag(int x, int y) = 0;
    // A captured key changed the boxes' texts outside of a window event.
    virtual void refresh() = 0;
};

struct KeyMapPorts {
    KeyHook& hook;
    Prompts& prompts;
    KeyMapHost& host;
};

class KeyMapLogic {
public:
    using Button = KeyMapButton;
    using enum KeyMapButton;

    // Shows the entry of edit.position and, when the dialog closes with ok, leaves the user's
    // answer in edit. macroNames: the names of the macros in use, in record order.
    KeyMapLogic(const KeyAssignmentState& state, KeyEdit& edit, const KeyNameTable& names,
                std::vector<std::u16string> macroNames, KeyMapPorts ports,
                std::string chooserFolder);
    KeyMapLogic(const KeyMapLogic&) = delete;
    KeyMapLogic& operator=(const KeyMapLogic&) = delete;

    // Shows the selected key's assignment and starts key capture. Call once, after the window
    // has made its controls.
    void open();

    // Window events, in window coordinates.
    std::optional<Button> hitTest(int x, int y) const;
    // True when something drawn under the pointer changed.
    bool onMouseMove(int x, int y);
    void onLButtonDown(int x, int y);
    void onLButtonUp(int x, int y);
    void onKeyStroke(KeyStroke stroke);
    void onSingleKeyBoxFocus();
    void onCombinationBoxFocus();
    void onMacroSelection(int row); // -1 = none
    void onTreeSelection(int item); // index into functionTreeItems(), -1 = none

    // What the controls show.
    const std::u16string& singleKeyText() const { return singleKeyText_; }
    const std::u16string& combinationText() const { return combinationText_; }
    // The box shows a notice in grey instead of keys.
    bool keyBoxGreyed(KeyMapControl box) const;
    const std::vector<std::u16string>& macroNames() const { return macroNames_; }
    int macroSelection() const { return macroSelection_; }
    int treeSelection() const { return treeSelection_; }
    bool treeItemExpanded(int item) const;
    bool controlVisible(KeyMapControl control) const;

    // What the painter shows.
    std::u16string keyName() const { return names_.name(edit_.keyCode); }
    KeyMapPage page() const { return page_; }
    // The advanced row whose path is chosen, and the row whose selector is lit.
    std::optional<int> actionRow() const { return actionRow_; }
    std::optional<int> radioRow() const { return radioRow_; }
    const std::u16string& actionPath() const { return actionPath_; }
    std::optional<int> browseHover() const { return browseHover_; }
    bool disableSwitch() const { return disableSwitch_; }
    bool hover(Button button) const { return buttons_.lit(button); }

    bool hookActive() const { return capture_.active(); }
    bool initialFocusGuard() const { return initialFocusGuard_; }

private:
    enum class KeyBox { Single, Combination };

    void showStoredAssignment();
    void clearCapture();
    // The keys of a stored entry the keyboard can send; keepEmpty keeps the empty places.
    std::vector<std::uint8_t> sendableKeys(std::span<const std::uint8_t> vks, bool keepEmpty) const;
    void refuseKey(KeyReach reach);
    void captureInto(KeyBox box);
    void runButton(Button button);
    void save();
    std::optional<KeyChoice> keyPageChoice() const;
    void close(std::optional<KeyChoice> choice, bool keyEnabled);
    void clickAdvancedArea(int x, int y);
    void browse(int row);
    std::optional<std::u16string> choosePath(int row);
    void tell(const char* text);

    const KeyAssignmentState& state_;
    KeyEdit& edit_;
    const KeyNameTable& names_;
    std::vector<std::u16string> macroNames_;
    KeyMapPorts ports_;
    std::string chooserFolder_;

    KeyMapPage page_ = KeyMapPage::Keys;
    bool disableSwitch_ = false;
    bool initialFocusGuard_ = false;
    HotButtons<Button> buttons_;

    // The keys page: the box that takes captured keys (none off that page), and its keys.
    std::optional<KeyBox> box_;
    std::vector<std::uint8_t> captured_;
    std::u16string singleKeyText_;
    std::u16string combinationText_;
    // The box whose text is a notice about a key it did not take, until the next key.
    std::optional<KeyBox> noticeBox_;

    int macroSelection_ = -1;
    int treeSelection_ = -1;
    std::vector<bool> treeExpanded_;

    // The advanced page. A save there hands back actionKind_ with actionPath_, or a restore
    // after a click beside the rows, or keeps the assignment when neither was chosen.
    std::optional<int> actionRow_;
    std::optional<int> radioRow_;
    std::optional<int> browseHover_;
    std::u16string actionPath_;
    std::optional<HostActionKind> actionKind_;
    bool restoreOnSave_ = false;
    // Last, so that the hook goes before anything a stroke would touch.
    KeyCapture capture_;
};

} // namespace talvex
