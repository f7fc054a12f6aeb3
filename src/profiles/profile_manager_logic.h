#pragma once
// The profile manager dialog's behaviour without a window: its click areas, its context menu,
// the commands behind them with their refusals and questions, renaming from the list's in-place
// edit, and what the dialog paints. ProfileManagerDialog shows it with Qt; the list box mirrors
// names() and selection() whenever the host is told to show the profiles.

#include "controls/canvas.h"
#include "controls/hot_buttons.h"
#include "keys/key_assignment_store.h"
#include "platform/prompts.h"
#include "platform/ui_text.h"
#include "profiles/profile_store.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace talvex {

// What the dialog logic asks of its window.
class ProfileManagerHost {
public:
    virtual ~ProfileManagerHost() = default;
    // The list box shows names() in order with selection() selected.
    virtual void showProfiles() = 0;
    // Ends the dialog; the caller takes the working configuration over.
    virtual void closeDialog() = 0;
};

struct ProfileManagerPorts {
    Prompts& prompts;
    ProfileManagerHost& host;
};

// The context menu's commands, valued as the menu's command ids.
enum class ProfileCommand {
    New = 32785,
    Copy = 32817,
    Save = 32786,
    Load = 32787,
    Delete = 32788,
};

struct ProfileMenuItem {
    const char* text;
    ProfileCommand command;
};

// The context menu, in the order it shows its items.
std::span<const ProfileMenuItem> profileMenu();

enum class ProfileArea { Close, New, Delete };

class ProfileManagerLogic {
public:
    static constexpr const char* kBackgroundImage = "Config.png";
    static constexpr const char* kMessageCaption = TALVEX_TEXT("配置管理");
    static constexpr const char* kFileFilter = "bin Files(*.bin)";
    // The list box's place in the window; right and bottom exclusive. Between it and the buttons
    // the dialog says what the list's context menu holds, since nothing else shows it is there.
    static constexpr Rect kListRect{1, 34, 261, 538};

    // profileFolder: where the profile files live; the file choosers start there too.
    // keyboardHolds: the settings the keyboard was last read to hold, or null when no complete
    // read vouches for them; a loaded value equal to the keyboard's passes without question.
    ProfileManagerLogic(std::filesystem::path profileFolder, KeyAssignmentState& working,
                        const DeviceSettings* keyboardHolds, ProfileManagerPorts ports);

    // Reads the profile folder afresh and shows it. Call each time the dialog opens.
    void open();

    void paint(Canvas& canvas) const;
    std::optional<ProfileArea> hitTest(int x, int y) const;
    // A button acts when it is released where it was pressed.
    void onLButtonDown(int x, int y);
    void onLButtonUp(int x, int y);
    // Whether a right press at the point opens the context menu.
    bool opensContextMenu(int x, int y) const;
    void runCommand(ProfileCommand command);

    // The user selected a line of the list (-1 = none).
    void onSelectionChanged(int index);
    // The user edited the name of the line that was at oldIndex; newText is what the line holds.
    void onItemEdited(int oldIndex, const std::string& newText);

    const std::vector<std::string>& names() const { return store_.names(); }
    int selection() const { return selection_; }
    const ProfileStore& store() const { return store_; }

private:
    void createProfile();
    void copyProfile();
    void saveIntoProfile();
    void loadIntoProfile();
    void deleteProfile();
    // Runs `command` on the selected profile, or tells `refusal` when none is selected; then
    // shows the list again with the same profile selected.
    void onSelectedProfile(const char* refusal,
                           const std::function<ProfileStatus(std::size_t)>& command);
    // Shows the store's list again, keeping `selectedName` selected when it is still listed.
    void showStore(const std::string& selectedName);
    std::string selectedName() const;
    bool hasSelection() const;
    // Judges a configuration about to become the working one, asking the user where a rule may
    // be overridden; false when it must not be loaded.
    bool acceptLoad(const DeviceSettings& settings, const KeyAssignments& assignments);
    void tell(const std::string& text, MessageIcon icon = MessageIcon::None);
    void tellFailure(ProfileStatus status);

    ProfileStore store_;
    KeyAssignmentState& working_;
    const DeviceSettings* keyboardHolds_;
    ProfileManagerPorts ports_;
    int selection_ = -1;
    HotButtons<ProfileArea> buttons_;
};

} // namespace talvex
