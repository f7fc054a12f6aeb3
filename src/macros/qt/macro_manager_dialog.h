#pragma once
// MacroManagerDialog: the skinned, frameless macro manager. MacroManagerLogic decides everything;
// this window paints it, places the name list, the event list and the loop-count box, mirrors
// the logic's lines, selections and texts into them, shows the event list's context menu and
// hands mouse, list and box events back.

#include "controls/qt/skinned_window.h"
#include "macros/macro_manager_logic.h"
#include "platform/qt/qt_prompts.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QLineEdit;
class QMenu;

namespace talvex {

class CTransparentListBox;
class SkinImages;

class MacroManagerDialog final : public QDialog, private MacroManagerHost {
    Q_OBJECT
public:
    // Opens on a copy of savedMacros, which receives the edited macros when the user presses OK.
    MacroManagerDialog(MacroStore& savedMacros, const KeyNameTable& names, KeyHook& hook,
                       const SteadyClock& clock, SkinImages& images, QWidget* parent = nullptr);
    ~MacroManagerDialog() override;

    MacroManagerLogic& logic() { return *logic_; }
    CTransparentListBox* nameList() const { return nameList_; }
    CTransparentListBox* eventList() const { return eventList_; }
    QLineEdit* loopCountBox() const { return loopBox_; }
    // The context menu "MacroDefine", built once; runs the chosen command.
    QMenu* contextMenu() const { return menu_; }
    // The captions of the last paint, where they came out.
    const std::vector<DrawnCaption>& drawnCaptions() const { return captions_; }

    // The whole window as it would be painted now, lists and box included.
    QImage render();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void closeDialog(bool ok) override;
    void startWindowDrag(int x, int y) override;
    void refresh() override;

    void createControls();
    void buildMenu();
    // Puts the logic's lines, selections and texts into the controls.
    void syncControls();

    SkinImages& images_;
    QtPrompts prompts_;
    CTransparentListBox* nameList_ = nullptr;
    CTransparentListBox* eventList_ = nullptr;
    QLineEdit* loopBox_ = nullptr;
    QMenu* menu_ = nullptr;
    std::unique_ptr<MacroManagerLogic> logic_;
    // The name line an in-place edit started on; the list reports only where the name went.
    int editedNameLine_ = -1;
    WindowDrag drag_;
    std::vector<DrawnCaption> captions_;
};

// Runs the macro manager modally with the program's key capture, clock and skin. True when the
// user pressed OK: savedMacros then holds the edited macros.
bool runMacroManagerDialog(QWidget* parent, MacroStore& savedMacros, const KeyNameTable& names);

} // namespace talvex
