#pragma once
// The key assignment dialog's behaviour without a window: which page is shown, what the two key
// boxes, the macro list and the function tree hold, how captured keys, focus changes and clicks
// change the pending assignment, and what the dialog paints. CKeyMap shows it with Qt widgets.

#include "controls/canvas.h"
#include "keys/key_assignment_store.h"
#include "keys/key_name_table.h"
#include "platform/key_hook.h"
#include "platform/prompts.h"

#include <array>
#include <cstdint>
#include <optional>
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
    // Ends the dialog; ok = the caller applies pendingAssignment.
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

// One item of the function tree, in insertion order. Groups hold the items that name them as
// parent; every other item is a function of the catalogue.
struct FunctionTreeItem {
    std::u16string_view text;
    int parent = -1; // index of the group, -1 at the top level
    bool group = false;
};

const std::vector<FunctionTreeItem>& functionTreeItems();

// The path as the advanced page shows it in its narrow box: whole up to 13 characters, else
// ".." and the last part of the path from its separator on.
std::u16string shortenedPath(std::u16string_view path);

class KeyMapLogic {
public:
    enum Button {
        Close = 0,
        TabKeys = 1,
        TabMacro = 2,
        TabFunction = 3,
        TabAdvanced = 4,
        DisableSwitch = 6,
        Restore = 7,
        Cancel = 8,
        Save = 9,
    };
    static constexpr std::uint8_t kNone = 255;
    static constexpr int kAdvancedRows = 4;
    static constexpr const char* kBackgroundImage = "Custom_BK.png";

    // macroNames: the names of the macros in use, in record order.
    KeyMapLogic(KeyAssignmentState& state, const KeyNameTable& names,
                std::vector<std::u16string> macroNames, KeyMapPorts ports,
                std::string chooserFolder);
    ~KeyMapLogic();
    KeyMapLogic(const KeyMapLogic&) = delete;
    KeyMapLogic& operator=(const KeyMapLogic&) = delete;

    // Shows the selected key's assignment and starts key capture. Call once, after the window
    // has made its controls.
    void open();

    // Window events, in window coordinates.
    std::optional<int> hitTest(int x, int y) const;
    // True when something drawn under the pointer changed.
    bool onMouseMove(int x, int y);
    void onLButtonDown(int x, int y);
    void onLButtonUp(int x, int y);
    void onKeyStroke(KeyStroke stroke);
    void onSingleKeyBoxFocus();
    void onCombinationBoxFocus();
    void onMacroSelection(int row); // -1 = none
    void onTreeSelection(int item); // index into functionTreeItems(), -1 = none

    void paint(Canvas& canvas) const;

    // What the controls show.
    const std::u16string& singleKeyText() const { return singleKeyText_; }
    const std::u16string& combinationText() const { return combinationText_; }
    const std::vector<std::u16string>& macroNames() const { return macroNames_; }
    int macroSelection() const { return macroSelection_; }
    int treeSelection() const { return treeSelection_; }
    bool treeItemExpanded(int item) const;
    bool controlVisible(KeyMapControl control) const;

    int page() const { return page_; }
    std::uint8_t actionRow() const { return actionRow_; }
    std::uint8_t radioRow() const { return radioRow_; }
    bool disableSwitch() const { return disableSwitch_; }
    bool hookActive() const { return hookActive_; }
    bool initialFocusGuard() const { return initialFocusGuard_; }
    bool hover(int button) const { return hover_[static_cast<std::size_t>(button)]; }

private:
    PendingAssignment& pending() { return state_.pendingAssignment; }
    const PendingAssignment& pending() const { return state_.pendingAssignment; }
    void showStoredAssignment();
    void clearCapture();
    void runButton(int button);
    void save();
    void clickAdvancedArea(int x, int y);
    void browse(int row);
    std::optional<std::u16string> choosePath(int row);
    void tell(const char* text);
    void installHook();
    void removeHook();
    void paintAdvancedPage(Canvas& canvas) const;
    void paintButton(Canvas& canvas, int button) const;

    KeyAssignmentState& state_;
    const KeyNameTable& names_;
    std::vector<std::u16string> macroNames_;
    KeyMapPorts ports_;
    std::string chooserFolder_;

    int page_ = 0;
    std::uint8_t actionRow_ = kNone;
    std::uint8_t radioRow_ = kNone;
    bool disableSwitch_ = false;
    bool hookActive_ = false;
    bool initialFocusGuard_ = false;
    std::array<bool, 10> hover_{};
    int browseHover_ = -1;
    std::optional<int> pressedButton_; // a button acts when released where it was pressed

    std::u16string singleKeyText_;
    std::u16string combinationText_;
    int macroSelection_ = -1;
    int treeSelection_ = -1;
    std::vector<bool> treeExpanded_;
};

} // namespace talvex
