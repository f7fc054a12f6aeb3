#include "macros/qt/macro_manager_dialog.h"

#include "controls/qt/qt_canvas.h"
#include "controls/qt/skin_images.h"
#include "controls/qt/skin_menu_style.h"
#include "controls/qt/skinned_window.h"
#include "controls/qt/transparent_list_box.h"
#include "platform/qt/qt_key_hook.h"
#include "platform/qt/qt_ui_text.h"
#include "platform/ui_text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

namespace talvex {

namespace {

// Used when the skin has no background image, so the window still has a usable size.
constexpr QSize kFallbackSize(410, 436);
constexpr int kNameMaxLength = static_cast<int>(kMacroNameMaxLength);

const char* const kLoopBoxStyle =
    "QLineEdit { background-color: rgb(28, 28, 30); color: white; border: none; "
    "selection-background-color: rgb(239, 14, 2); }"
    "QLineEdit:disabled { color: rgb(110, 110, 116); }";

QString qs(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Shows `lines` in the list, rebuilding it only when they differ, so that the scroll position
// and a running edit survive a refresh that changed nothing.
void syncLines(CTransparentListBox& list, const std::vector<std::u16string>& lines, int selection) {
    bool same = list.count() == static_cast<int>(lines.size());
    for (int i = 0; same && i < list.count(); ++i)
        same = list.text(i) == qs(lines[static_cast<std::size_t>(i)]);
    if (!same) {
        const int top = list.topIndex();
        list.resetContent();
        for (const std::u16string& line : lines)
            list.addLine(qs(line));
        list.setTopIndex(top);
    }
    if (list.currentIndex() != selection)
        list.setCurrentIndex(selection);
}

} // namespace

MacroManagerDialog::MacroManagerDialog(MacroStore& savedMacros, const KeyNameTable& names,
                                       KeyHook& hook, const SteadyClock& clock, SkinImages& images,
                                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), images_(images), prompts_(this) {
    QImage background =
        images_.image(SkinFolder::MacroManagement, MacroManagerLogic::kBackgroundImage);
    setFixedSize(background.isNull() ? kFallbackSize : background.size());
    setWindowTitle(translatedText(TALVEX_TEXT("宏管理器")));
    setMouseTracking(true);
    // Every pixel comes from paintEvent.
    setAttribute(Qt::WA_OpaquePaintEvent);
    logic_ = std::make_unique<MacroManagerLogic>(savedMacros, names,
                                                 MacroManagerPorts{hook, prompts_, clock, *this});
    createControls();
    buildMenu();
    logic_->open();
    syncControls();
}

MacroManagerDialog::~MacroManagerDialog() {
    // The lists outlive the logic by a moment; an edit they end while going must not reach it.
    for (QObject* control : {static_cast<QObject*>(nameList_), static_cast<QObject*>(eventList_),
                             static_cast<QObject*>(loopBox_)})
        control->disconnect(this);
}

void MacroManagerDialog::createControls() {
    const QColor white(255, 255, 255), cyan(0, 255, 255), black(0, 0, 0);
    nameList_ = new CTransparentListBox(true, this);
    nameList_->setGeometry(20, 80, 113, 275);
    nameList_->setEditorMaxLength(kNameMaxLength);
    eventList_ = new CTransparentListBox(false, this);
    eventList_->setGeometry(150, 80, 113, 275);
    for (CTransparentListBox* list : {nameList_, eventList_})
        list->setItemStyle(16, QStringLiteral("Arial"), white, cyan, true, 2, black);
    eventList_->setMode(ListMode::Delay);

    loopBox_ = new QLineEdit(this);
    loopBox_->setGeometry(296, 331, 84, 18);
    loopBox_->setMaxLength(MacroManagerLogic::kLoopBoxMaxLength);
    loopBox_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), loopBox_));
    loopBox_->setStyleSheet(kLoopBoxStyle);
    CaptionStyle boxFont;
    boxFont.height = 15;
    loopBox_->setFont(QtCanvas::captionFont(boxFont));
    loopBox_->setTextMargins(3, 0, 0, 0);

    connect(nameList_, &CTransparentListBox::selectionChanged, this, [this](int index) {
        logic_->onNameSelection(index);
        refresh();
    });
    connect(nameList_, &CTransparentListBox::editAboutToBegin, this, [this] {
        editedNameLine_ = nameList_->currentIndex();
        logic_->onListEditBegins();
        update();
    });
    connect(nameList_, &CTransparentListBox::lineTextChanged, this,
            [this](int newIndex, const QString&) {
                if (editedNameLine_ >= 0)
                    logic_->onNameEdited(static_cast<std::size_t>(editedNameLine_),
                                         nameList_->text(newIndex).toStdU16String());
                editedNameLine_ = -1;
                refresh();
            });
    connect(eventList_, &CTransparentListBox::selectionChanged, this,
            [this](int line) { logic_->onEventLineSelection(line); });
    connect(eventList_, &CTransparentListBox::editAboutToBegin, this, [this] {
        logic_->onListEditBegins();
        update();
    });
    connect(eventList_, &CTransparentListBox::delayCommitted, this, [this](int line, int delay) {
        logic_->onDelayEdited(line, delay);
        refresh();
    });
    connect(loopBox_, &QLineEdit::textChanged, this,
            [this](const QString& text) { logic_->onLoopTextChanged(text.toStdString()); });
}

void MacroManagerDialog::buildMenu() {
    menu_ = new QMenu(QStringLiteral("MacroDefine"), this);
    // Its submenus take the style from it.
    menu_->setStyleSheet(kSkinMenuStyle);
    QMap<QString, QMenu*> submenus;
    for (const MacroMenuItem& item : macroMenuItems()) {
        QMenu* target = menu_;
        if (!item.submenu.empty()) {
            const QString path = qs(item.submenu);
            if (!submenus.contains(path))
                submenus[path] = menu_->addMenu(translatedText(item.submenu));
            target = submenus[path];
            const QString buttonPath = path + QLatin1Char('/') + qs(item.button);
            if (!submenus.contains(buttonPath))
                submenus[buttonPath] = target->addMenu(translatedText(item.button));
            target = submenus[buttonPath];
        }
        QAction* action = target->addAction(translatedText(item.text));
        const MacroMenuCommand command = item.command;
        action->setData(static_cast<int>(command));
        connect(action, &QAction::triggered, this, [this, command] {
            logic_->onMenuCommand(command);
            refresh();
        });
    }
}

void MacroManagerDialog::syncControls() {
    const MacroManagerLogic& logic = *logic_;
    syncLines(*nameList_, logic.names(), logic.nameSelection());
    syncLines(*eventList_, logic.eventLines(), logic.eventLineSelection());
    const QString loopText = QString::fromStdString(logic.loopText());
    if (loopBox_->text() != loopText) {
        const QSignalBlocker block(loopBox_);
        loopBox_->setText(loopText);
    }
    loopBox_->setEnabled(logic.loopBoxEnabled());
}

void MacroManagerDialog::closeDialog(bool ok) {
    done(ok ? QDialog::Accepted : QDialog::Rejected);
}

void MacroManagerDialog::startWindowDrag(int x, int y) {
    drag_.start(*this, QPoint(x, y));
}

void MacroManagerDialog::refresh() {
    syncControls();
    update();
}

QImage MacroManagerDialog::render() {
    return grab().toImage();
}

bool MacroManagerDialog::event(QEvent* event) {
    return showCaptionTip(*this, *event, captions_) || QDialog::event(event);
}

void MacroManagerDialog::paintEvent(QPaintEvent*) {
    captions_ = paintSkinnedWindow(
        *this, images_, SkinFolder::MacroManagement, MacroManagerLogic::kBackgroundImage,
        [this](Canvas& canvas) { logic_->paint(canvas); }, QColor(35, 35, 35));
}

void MacroManagerDialog::mousePressEvent(QMouseEvent* event) {
    // Taking the right button's press brings its release here, over the lists too.
    if (event->button() == Qt::RightButton)
        return event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    logic_->onLButtonDown(at.x(), at.y());
}

void MacroManagerDialog::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.follow(*this, *event))
        return;
    const QPoint at = event->position().toPoint();
    if (logic_->onMouseMove(at.x(), at.y()))
        update();
}

void MacroManagerDialog::leaveEvent(QEvent*) {
    // The pointer went onto a list or off the window: no button is under it any more.
    if (logic_->onMouseMove(-1, -1))
        update();
}

void MacroManagerDialog::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (eventList_->geometry().contains(at))
            menu_->exec(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    drag_.end();
    logic_->onLButtonUp(at.x(), at.y());
    refresh();
}

void MacroManagerDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Esc end an in-place list edit in the focused control, never the dialog.
    if (!swallowDialogEndingKey(*event))
        QDialog::keyPressEvent(event);
}

bool runMacroManagerDialog(QWidget* parent, MacroStore& savedMacros, const KeyNameTable& names) {
    QtKeyHook hook;
    SystemSteadyClock clock;
    MacroManagerDialog dialog(savedMacros, names, hook, clock, programSkinImages(), parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace talvex
