#include "keys/qt/key_map_dialog.h"

#include "controls/qt/qt_canvas.h"
#include "controls/qt/skin_theme.h"
#include "controls/qt/skinned_window.h"
#include "controls/qt/vivid_tree.h"
#include "keys/function_catalogue.h"
#include "keys/key_map_painter.h"
#include "platform/qt/qt_key_hook.h"
#include "platform/qt/qt_ui_text.h"

#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

namespace talvex {

namespace {

// Used when the skin has no background image, so the window still has a usable size.
constexpr QSize kFallbackSize(325, 278);
constexpr int kItemIndexRole = Qt::UserRole;

const char* const kControlStyle = "background-color: rgb(109, 109, 109); color: white; "
                                  "border: none; selection-background-color: rgb(102, 46, 47);";
// A key box telling why it did not take a key, rather than showing keys.
const char* const kNoticeStyle = "background-color: rgb(109, 109, 109); color: rgb(200, 200, 200); "
                                 "border: none; selection-background-color: rgb(102, 46, 47);";

// The focus rules of the boxes are for the user moving to a box, not for the window getting the
// focus back from a message box or another program, which would clear what was captured.
bool userMovedFocus(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

QString qs(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

} // namespace

KeyMapDialog::KeyMapDialog(const KeyAssignmentState& keys, KeyEdit& edit, const KeyNameTable& names,
                           std::vector<std::u16string> macroNames, KeyHook& hook,
                           SkinImages& images, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), images_(images), prompts_(this) {
    QImage background = images_.image(kKeyMapSkin, kKeyMapBackground);
    setFixedSize(background.isNull() ? kFallbackSize : background.size());
    setMouseTracking(true);
    // Every pixel comes from paintEvent.
    setAttribute(Qt::WA_OpaquePaintEvent);
    createControls();
    logic_ = std::make_unique<KeyMapLogic>(keys, edit, names, std::move(macroNames),
                                           KeyMapPorts{hook, prompts_, *this},
                                           QDir::homePath().toStdString());
    for (const std::u16string& name : logic_->macroNames())
        macroList_->addItem(qs(name));
    fillTree();
    logic_->open();
    syncControls();
}

KeyMapDialog::~KeyMapDialog() = default;

void KeyMapDialog::createControls() {
    singleBox_ = new QLineEdit(this);
    singleBox_->setGeometry(20, 89, 280, 15);
    combinationBox_ = new QLineEdit(this);
    combinationBox_->setGeometry(20, 139, 280, 15);
    macroList_ = new QListWidget(this);
    macroList_->setGeometry(20, 79, 280, 150);
    macroList_->setFrameShape(QFrame::NoFrame);
    tree_ = new VividTree(this);
    tree_->setGeometry(10, 60, 295, 160);
    tree_->loadGlyphs();
    tree_->setBackgroundMode(VividTree::SolidBackground);
    tree_->setItemIcon(QIcon(QStringLiteral(":/icons/154-16.png")));
    // The stored function stays visible before the tree has the focus.
    tree_->setShowSelectionAlways(true);
    tree_->setFont(QtCanvas::captionFont(CaptionStyle{}));

    QFont font = QtCanvas::captionFont(CaptionStyle{});
    for (QWidget* box : {static_cast<QWidget*>(singleBox_), static_cast<QWidget*>(combinationBox_),
                         static_cast<QWidget*>(macroList_)}) {
        box->setStyleSheet(kControlStyle);
        box->setFont(font);
    }
    useSkinScrollBars(*macroList_);
    for (QLineEdit* box : {singleBox_, combinationBox_}) {
        box->setTextMargins(2, 0, 0, 0);
        box->installEventFilter(this);
        // The boxes show captured keys, never typed text.
        connect(box, &QLineEdit::textEdited, this, [this] { syncControls(); });
    }
    connect(macroList_, &QListWidget::currentRowChanged, this,
            [this](int row) { logic_->onMacroSelection(row); });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
        logic_->onTreeSelection(
            selected.isEmpty() ? -1 : selected.front()->data(0, kItemIndexRole).toInt());
    });
}

void KeyMapDialog::fillTree() {
    const auto& items = functionTreeItems();
    treeItems_.clear();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QString text = translatedText(items[i].caption);
        QTreeWidgetItem* item =
            items[i].parent < 0
                ? new QTreeWidgetItem(tree_, QStringList{text})
                : new QTreeWidgetItem(treeItems_[static_cast<std::size_t>(items[i].parent)],
                                      QStringList{text});
        item->setData(0, kItemIndexRole, static_cast<int>(i));
        treeItems_.push_back(item);
    }
}

QWidget* KeyMapDialog::control(KeyMapControl which) const {
    switch (which) {
    case KeyMapControl::SingleKeyBox:
        return singleBox_;
    case KeyMapControl::CombinationBox:
        return combinationBox_;
    case KeyMapControl::MacroList:
        return macroList_;
    case KeyMapControl::FunctionTree:
        return tree_;
    }
    return nullptr;
}

void KeyMapDialog::syncControls() {
    const KeyMapLogic& logic = *logic_;
    if (singleBox_->text() != qs(logic.singleKeyText()))
        singleBox_->setText(qs(logic.singleKeyText()));
    if (combinationBox_->text() != qs(logic.combinationText()))
        combinationBox_->setText(qs(logic.combinationText()));
    for (KeyMapControl box : {KeyMapControl::SingleKeyBox, KeyMapControl::CombinationBox}) {
        const QString style = logic.keyBoxGreyed(box) ? kNoticeStyle : kControlStyle;
        if (control(box)->styleSheet() != style)
            control(box)->setStyleSheet(style);
    }
    for (KeyMapControl which : {KeyMapControl::SingleKeyBox, KeyMapControl::CombinationBox,
                                KeyMapControl::MacroList, KeyMapControl::FunctionTree})
        control(which)->setVisible(logic.controlVisible(which));

    const QSignalBlocker blockList(macroList_);
    if (macroList_->currentRow() != logic.macroSelection())
        macroList_->setCurrentRow(logic.macroSelection());

    const QSignalBlocker blockTree(tree_);
    for (std::size_t i = 0; i < treeItems_.size(); ++i) {
        const int index = static_cast<int>(i);
        if (logic.treeItemExpanded(index))
            treeItems_[i]->setExpanded(true);
        const bool selected = logic.treeSelection() == index;
        if (treeItems_[i]->isSelected() != selected)
            treeItems_[i]->setSelected(selected);
    }
}

void KeyMapDialog::focusControl(KeyMapControl which) {
    // A hidden control cannot take the focus: show the page first.
    syncControls();
    control(which)->setFocus(Qt::OtherFocusReason);
}

void KeyMapDialog::closeDialog(bool ok) {
    done(ok ? QDialog::Accepted : QDialog::Rejected);
}

void KeyMapDialog::startWindowDrag(int x, int y) {
    drag_.start(*this, QPoint(x, y));
}

void KeyMapDialog::refresh() {
    syncControls();
    update();
}

bool KeyMapDialog::event(QEvent* event) {
    return showCaptionTip(*this, *event, captions_) || QDialog::event(event);
}

void KeyMapDialog::paintEvent(QPaintEvent*) {
    captions_ = paintSkinnedWindow(
        *this, images_, kKeyMapSkin, kKeyMapBackground,
        [this](Canvas& canvas) { paintKeyMap(canvas, *logic_); }, QColor(35, 35, 35));
}

void KeyMapDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    logic_->onLButtonDown(at.x(), at.y());
}

void KeyMapDialog::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.follow(*this, *event))
        return;
    const QPoint at = event->position().toPoint();
    if (logic_->onMouseMove(at.x(), at.y()))
        update();
}

void KeyMapDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    drag_.end();
    const QPoint at = event->position().toPoint();
    logic_->onLButtonUp(at.x(), at.y());
    refresh();
}

void KeyMapDialog::keyPressEvent(QKeyEvent* event) {
    if (!swallowDialogEndingKey(*event))
        QDialog::keyPressEvent(event);
}

bool KeyMapDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && logic_ &&
        userMovedFocus(static_cast<QFocusEvent*>(event)->reason())) {
        if (watched == singleBox_)
            logic_->onSingleKeyBoxFocus();
        else if (watched == combinationBox_)
            logic_->onCombinationBoxFocus();
        refresh();
    }
    if (event->type() == QEvent::FocusIn) {
        // The caret goes after the keys shown; a line edit that gets the focus with the window
        // would select its whole text instead, once it has handled the event.
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QMetaObject::invokeMethod(
                box,
                [box] {
                    box->deselect();
                    box->end(false);
                },
                Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

bool runKeyMapDialog(QWidget* parent, const KeyAssignmentState& keys, KeyEdit& edit,
                     const KeyNameTable& names, std::vector<std::u16string> macroNames,
                     SkinImages& images) {
    QtKeyHook hook;
    KeyMapDialog dialog(keys, edit, names, std::move(macroNames), hook, images, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace talvex
