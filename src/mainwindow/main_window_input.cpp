// Painting and mouse dispatch of the main window.
#include "mainwindow/main_window_commands.h"

#include "mainwindow/area_table.h"
#include "mainwindow/main_window_caption_areas.h"
#include "platform/ui_text.h"

namespace talvex {

namespace {

constexpr AreaRect<MainButton> kTitleButtons[] = {
    {MainButton::Help, {936, 5, 952, 20}},
    {MainButton::Minimise, {957, 5, 973, 20}},
    {MainButton::Close, {978, 5, 994, 20}},
};

constexpr AreaRect<MainButton> kBottomButtons[] = {
    {MainButton::Profiles, {19, 605, 89, 633}},
    {MainButton::FactoryReset, {800, 605, 857, 635}},
    {MainButton::Cancel, {861, 605, 918, 635}},
    {MainButton::Save, {923, 605, 980, 635}},
    // The logo only keeps a press on it from dragging the window.
    {MainButton::Logo, {19, 32, 261, 102}},
};

constexpr const char* kDisabledButton = "button-disabled.png";
constexpr Colour kDisabledCaption{110, 110, 116};

constexpr const char* kUpdaterCaption = TALVEX_TEXT("驱动更新");
constexpr const char* kUpdaterNotInstalled = TALVEX_TEXT("未安装驱动更新程序。");
constexpr const char* kUpdaterFailed = TALVEX_TEXT("无法启动驱动更新程序。");

} // namespace

void MainWindowCommands::paint(Canvas& canvas) {
    canvas.drawImage(SkinFolder::Main, "button-help-normal.png", 936, 5);
    canvas.drawImage(SkinFolder::Main, "button-min-normal.png", 957, 5);
    canvas.drawImage(SkinFolder::Main, "button-close-normal.png", 978, 5);
    canvas.drawImage(SkinFolder::Main, "logo.png", 19, 35);
    keyboardView_.paintHeader(canvas);
    keyboardView_.paint(canvas);
    // While the keyboard works these three refuse clicks, and look it.
    const bool busy = ports_.deviceJobs.busy();
    const Colour caption = busy ? kDisabledCaption : Colour{255, 255, 255};
    canvas.drawImage(SkinFolder::Main, busy ? kDisabledButton : "button-cancel-normal.png", 800,
                     605);
    canvas.drawImage(SkinFolder::Main, busy ? kDisabledButton : "button-cancel-normal.png", 862,
                     605);
    canvas.drawImage(SkinFolder::Main, busy ? kDisabledButton : "button-save-normal.png", 924, 605);
    canvas.drawImage(SkinFolder::Main, "Config.png", 17, 603);
    writeCaption(canvas, TALVEX_TEXT("配置"), 45, 610, 16, Colour{255, 255, 255},
                 kCaptionAreas.profilesButton);
    // Up to the factory reset button.
    writeCaption(canvas, TALVEX_TEXT("多配置管理：最多保存 6 个配置，随时切换"), 96, 613, 14,
                 Colour{128, 128, 134}, 700);
    writeCaption(canvas, TALVEX_TEXT("恢复"), 810, 612, 16, caption, kCaptionAreas.bottomButton);
    writeCaption(canvas, TALVEX_TEXT("取消"), 872, 612, 16, caption, kCaptionAreas.bottomButton);
    writeCaption(canvas, TALVEX_TEXT("保存"), 934, 612, 16, caption, kCaptionAreas.bottomButton);
    activity_.paint(canvas);
    panel_.normalise();
    panel_.paint(canvas);
    if (helpOpen_)
        help_.paint(canvas);
}

std::optional<MainArea> MainWindowCommands::hitTestArea(int x, int y) const {
    if (auto button = firstAreaAt(kTitleButtons, x, y))
        return *button;
    if (auto area = panel_.hitTest(x, y))
        return *area;
    if (auto button = firstAreaAt(kBottomButtons, x, y))
        return *button;
    return std::nullopt;
}

void MainWindowCommands::onLButtonDown(int, int) {
    leftButtonDown_ = true;
}

void MainWindowCommands::onLButtonUp(int x, int y) {
    if (panel_.listOpen()) {
        panel_.onListClick(x, y);
    } else if (helpOpen_) {
        onHelpPanelClick(x, y);
    } else {
        if (auto area = hitTestArea(x, y))
            runArea(*area);
        // A command may have opened a list or the help panel, which then take the clicks.
        if (!panel_.listOpen() && !helpOpen_)
            keyboardView_.onClick(x, y);
    }
    ports_.host.requestRepaint();
}

void MainWindowCommands::onHelpPanelClick(int x, int y) {
    helpOpen_ = false;
    const std::optional<HelpItem> item = help_.itemAt(x, y);
    if (item == HelpItem::WebAddress)
        ports_.shell.openUrl(help_.webAddress());
    else if (item == HelpItem::Updater)
        startUpdater();
}

void MainWindowCommands::startUpdater() {
    const UpdaterStart start =
        dialogs_.startUpdater ? dialogs_.startUpdater() : UpdaterStart::NotInstalled;
    if (start == UpdaterStart::NotInstalled)
        ports_.prompts.message(kUpdaterNotInstalled, kUpdaterCaption, MessageButtons::Ok,
                               MessageIcon::Information);
    else if (start == UpdaterStart::Failed)
        ports_.prompts.message(kUpdaterFailed, kUpdaterCaption, MessageButtons::Ok,
                               MessageIcon::Warning);
}

void MainWindowCommands::onMouseMove(int x, int y, bool leftButtonHeld) {
    const bool rowHovered = panel_.listOpen() && panel_.onListMouseMove(x, y);
    if (!leftButtonHeld)
        leftButtonDown_ = false;
    const bool overArea = hitTestArea(x, y).has_value();
    if (leftButtonDown_ && !overArea && !keyboardView_.hitTestKey(x, y) && !panel_.listOpen()) {
        // The window's own move loop takes the mouse until the button is released.
        leftButtonDown_ = false;
        ports_.host.startWindowDrag(x, y);
    }
    const bool keyChanged = keyboardView_.onMouseMove(x, y);
    const bool noKeyHovered = keyboardView_.hoveredPosition() == kNoPosition;
    if (keyChanged || (noKeyHovered && (overArea || rowHovered)))
        ports_.host.requestRepaint();
}

void MainWindowCommands::onSliderMoved(SliderId id) {
    if (panel_.onSliderMoved(id))
        ports_.host.requestRepaint();
}

void MainWindowCommands::runArea(const MainArea& area) {
    if (const auto* button = std::get_if<MainButton>(&area)) {
        runButton(*button);
        return;
    }
    const PanelArea panelArea = std::get<PanelArea>(area);
    if (panelArea == PanelArea::MacroButton)
        openMacroManager();
    else
        panel_.onAreaClick(panelArea);
}

void MainWindowCommands::runButton(MainButton button) {
    switch (button) {
    case MainButton::Help:
        helpOpen_ = !helpOpen_;
        break;
    case MainButton::Minimise:
        ports_.host.hideWindow();
        break;
    case MainButton::Close:
        close();
        break;
    case MainButton::Profiles:
        openProfiles();
        break;
    case MainButton::FactoryReset:
        factoryReset();
        break;
    case MainButton::Cancel:
        cancel();
        break;
    case MainButton::Save:
        save();
        break;
    case MainButton::Logo:
        break;
    }
}

} // namespace talvex
