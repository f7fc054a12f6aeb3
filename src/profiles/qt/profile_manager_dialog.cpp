#include "profiles/qt/profile_manager_dialog.h"

#include "controls/qt/skin_images.h"
#include "controls/qt/skin_menu_style.h"
#include "controls/qt/skinned_window.h"
#include "controls/qt/transparent_list_box.h"
#include "platform/qt/qt_ui_text.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>

namespace talvex {

namespace {

// Used when the skin has no background image, so the window still has a usable size.
constexpr QSize kFallbackSize(264, 606);
// Typed names stay well inside a file name's 255 bytes, whatever the script.
constexpr int kNameMaxLength = 80;

// The keys that open a context menu where there is no mouse: the Menu key, and Shift+F10 for
// keyboards without one.
bool isMenuKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

} // namespace

ProfileManagerDialog::ProfileManagerDialog(KeyAssignmentState& keys, const AppPaths& paths,
                                           const DeviceSettings* keyboardHolds, SkinImages& images,
                                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), images_(images), prompts_(this) {
    QImage background = images_.image(SkinFolder::Config, ProfileManagerLogic::kBackgroundImage);
    setFixedSize(background.isNull() ? kFallbackSize : background.size());
    // Every pixel comes from paintEvent.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (parent)
        move(parent->frameGeometry().topLeft() - QPoint(1, 1));
    createList();
    createMenu();
    logic_ = std::make_unique<ProfileManagerLogic>(paths.profileFolder(), keys, keyboardHolds,
                                                   ProfileManagerPorts{prompts_, *this});
    logic_->open();
}

ProfileManagerDialog::~ProfileManagerDialog() = default;

void ProfileManagerDialog::createList() {
    const Rect& r = ProfileManagerLogic::kListRect;
    list_ = new CTransparentListBox(true, this);
    list_->setGeometry(r.left, r.top, r.width(), r.height());
    list_->setItemStyle(15, QStringLiteral("Arial"), QColor(255, 255, 255), QColor(0, 255, 255),
                        true, 2, QColor(0, 0, 0));
    list_->setMode(ListMode::ParentBacked);
    list_->setEditorMaxLength(kNameMaxLength);
    connect(list_, &CTransparentListBox::selectionChanged, this,
            [this](int index) { logic_->onSelectionChanged(index); });
    connect(list_, &CTransparentListBox::itemEdited, this, [this](int oldIndex, int newIndex) {
        // Renamed once the list has finished its edit: the rename rebuilds the list and may ask
        // a question.
        const std::string text = list_->text(newIndex).toStdString();
        QTimer::singleShot(0, this,
                           [this, oldIndex, text] { logic_->onItemEdited(oldIndex, text); });
    });
}

void ProfileManagerDialog::createMenu() {
    menu_ = new QMenu(this);
    menu_->setStyleSheet(kSkinMenuStyle);
    for (const ProfileMenuItem& item : profileMenu())
        menu_->addAction(translatedText(item.text))->setData(static_cast<int>(item.command));
}

void ProfileManagerDialog::showProfiles() {
    list_->resetContent();
    for (const std::string& name : logic_->names())
        list_->addLine(QString::fromStdString(name));
    list_->setCurrentIndex(logic_->selection());
}

void ProfileManagerDialog::closeDialog() {
    accept();
}

bool ProfileManagerDialog::event(QEvent* event) {
    return showCaptionTip(*this, *event, captions_) || QDialog::event(event);
}

void ProfileManagerDialog::paintEvent(QPaintEvent*) {
    captions_ = paintSkinnedWindow(
        *this, images_, SkinFolder::Config, ProfileManagerLogic::kBackgroundImage,
        [this](Canvas& canvas) { logic_->paint(canvas); }, QColor(53, 53, 53));
}

void ProfileManagerDialog::mousePressEvent(QMouseEvent* event) {
    // The list passes right presses on to the dialog, in the dialog's coordinates.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        logic_->onLButtonDown(at.x(), at.y());
    if (event->button() == Qt::RightButton && logic_->opensContextMenu(at.x(), at.y()))
        runMenu(event->globalPosition().toPoint());
}

void ProfileManagerDialog::runMenu(QPoint globalAt) {
    // The command runs once the menu has closed, so its questions never sit under the menu.
    if (QAction* chosen = menu_->exec(globalAt))
        logic_->runCommand(static_cast<ProfileCommand>(chosen->data().toInt()));
}

QPoint ProfileManagerDialog::keyboardMenuPoint() const {
    const QWidget* view = list_->viewport();
    QPoint at(0, 0);
    if (list_->currentIndex() >= 0) {
        // Under the line, so the menu does not hide the name it acts on.
        const QPoint below = list_->itemRect(list_->currentIndex()).bottomLeft();
        at = QPoint(below.x(), std::clamp(below.y(), 0, view->height() - 1));
    }
    return view->mapToGlobal(at);
}

void ProfileManagerDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    logic_->onLButtonUp(at.x(), at.y());
}

void ProfileManagerDialog::keyPressEvent(QKeyEvent* event) {
    // Keys the list leaves come here. While a name is edited the menu keys are the editor's.
    if (isMenuKey(*event) && !list_->editor()) {
        // Taken, so a platform that would make a menu event of it does not open a second menu.
        event->accept();
        runMenu(keyboardMenuPoint());
        return;
    }
    // The dialog ends only through its close area.
    if (!swallowDialogEndingKey(*event))
        QDialog::keyPressEvent(event);
}

void runProfileManagerDialog(QWidget* mainWindow, KeyAssignmentState& keys, const AppPaths& paths,
                             const DeviceSettings* keyboardHolds) {
    ProfileManagerDialog dialog(keys, paths, keyboardHolds, programSkinImages(), mainWindow);
    dialog.exec();
}

} // namespace talvex
