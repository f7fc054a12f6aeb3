#pragma once
// ProfileManagerDialog: the skinned, frameless profile manager. ProfileManagerLogic decides
// everything; this window paints it, keeps the profile list box in step with the logic, opens the
// context menu on a right press over the list or from the keyboard (the Menu key, Shift+F10) and
// hands clicks, selections and renames back.

#include "controls/qt/qt_canvas.h"
#include "keys/key_assignment_store.h"
#include "platform/app_paths.h"
#include "platform/qt/qt_prompts.h"
#include "profiles/profile_manager_logic.h"

#include <QDialog>

#include <memory>
#include <vector>

class QMenu;

namespace talvex {

class CTransparentListBox;
class SkinImages;

class ProfileManagerDialog final : public QDialog, private ProfileManagerHost {
    Q_OBJECT
public:
    // Works on keys.workingSettings and keys.assignments; keyboardHolds as ProfileManagerLogic
    // takes it. With a parent, the dialog opens one pixel up and left of the parent's corner.
    ProfileManagerDialog(KeyAssignmentState& keys, const AppPaths& paths,
                         const DeviceSettings* keyboardHolds, SkinImages& images,
                         QWidget* parent = nullptr);
    ~ProfileManagerDialog() override;

    ProfileManagerLogic& logic() { return *logic_; }
    CTransparentListBox* profileList() const { return list_; }
    QMenu* contextMenu() const { return menu_; }
    // The captions of the last paint, where they came out.
    const std::vector<DrawnCaption>& drawnCaptions() const { return captions_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showProfiles() override;
    void closeDialog() override;

    void createList();
    void createMenu();
    // Opens the context menu at `globalAt` and runs the command chosen once it has closed.
    void runMenu(QPoint globalAt);
    // Where the keyboard opens the menu: under the selected line, else the list's corner.
    QPoint keyboardMenuPoint() const;

    SkinImages& images_;
    QtPrompts prompts_;
    CTransparentListBox* list_ = nullptr;
    QMenu* menu_ = nullptr;
    std::unique_ptr<ProfileManagerLogic> logic_;
    std::vector<DrawnCaption> captions_;
};

// Runs the profile manager modally over the main window. The working settings and assignments
// in `keys` may have been replaced when it returns.
void runProfileManagerDialog(QWidget* mainWindow, KeyAssignmentState& keys, const AppPaths& paths,
                             const DeviceSettings* keyboardHolds);

} // namespace talvex
