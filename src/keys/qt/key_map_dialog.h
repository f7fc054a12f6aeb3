#pragma once
// KeyMapDialog: the skinned, frameless key assignment dialog. KeyMapLogic decides everything; this
// window paints it, places the two key boxes, the macro list and the function tree, mirrors the
// logic's texts and selections into them and hands mouse, focus and selection events back.

#include "controls/qt/skin_images.h"
#include "controls/qt/skinned_window.h"
#include "keys/key_map_logic.h"
#include "platform/qt/qt_prompts.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QTreeWidgetItem;

namespace talvex {

class VividTree;

class KeyMapDialog final : public QDialog, private KeyMapHost {
    Q_OBJECT
public:
    // Shows the assignment of edit.position; capture starts at once through `hook`.
    KeyMapDialog(const KeyAssignmentState& keys, KeyEdit& edit, const KeyNameTable& names,
                 std::vector<std::u16string> macroNames, KeyHook& hook, SkinImages& images,
                 QWidget* parent = nullptr);
    ~KeyMapDialog() override;

    KeyMapLogic& logic() { return *logic_; }
    QLineEdit* singleKeyBox() const { return singleBox_; }
    QLineEdit* combinationBox() const { return combinationBox_; }
    QListWidget* macroList() const { return macroList_; }
    VividTree* functionTree() const { return tree_; }
    // The captions of the last paint, where they came out.
    const std::vector<DrawnCaption>& drawnCaptions() const { return captions_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusControl(KeyMapControl control) override;
    void closeDialog(bool ok) override;
    void startWindowDrag(int x, int y) override;
    void refresh() override;

    void createControls();
    void fillTree();
    // Puts the logic's texts, selections and page into the controls.
    void syncControls();
    QWidget* control(KeyMapControl which) const;

    SkinImages& images_;
    QtPrompts prompts_;
    QLineEdit* singleBox_ = nullptr;
    QLineEdit* combinationBox_ = nullptr;
    QListWidget* macroList_ = nullptr;
    VividTree* tree_ = nullptr;
    std::vector<QTreeWidgetItem*> treeItems_; // in functionTreeItems() order
    std::unique_ptr<KeyMapLogic> logic_;
    WindowDrag drag_;
    std::vector<DrawnCaption> captions_;
};

// Runs the dialog modally for edit.position with the program's key capture. True when the user
// saved or restored the key: edit then holds the answer. `macroNames` are the macros the
// macro page offers, in slot order.
bool runKeyMapDialog(QWidget* parent, const KeyAssignmentState& keys, KeyEdit& edit,
                     const KeyNameTable& names, std::vector<std::u16string> macroNames,
                     SkinImages& images = programSkinImages());

} // namespace talvex
