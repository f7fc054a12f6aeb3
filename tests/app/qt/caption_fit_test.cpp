// Every caption of every window in each of its looks, drawn through QtCanvas: it has an area,
// comes out no wider than the area (whole or elided), inside the window, and clear of every other
// caption still visible, in Chinese (no translator, as every other test) and in English. The
// renders are kept in the build folder ("renders/") to look at.
#include "app/qt/ui_translators.h"
#include "keys/key_positions.h"
#include "keys/qt/key_map_dialog.h"
#include "macros/qt/macro_manager_dialog.h"
#include "main_window_stand_ins.h"
#include "mainwindow/lighting_effects.h"
#include "platform/scripted_key_hook.h"
#include "profiles/qt/profile_manager_dialog.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <QDir>

namespace talvex {
namespace {

class CaptionFit : public ::testing::TestWithParam<UiLanguage>,
                   protected testing::MainWindowStandIns {
protected:
    void SetUp() override {
        if (GetParam() == UiLanguage::English) {
            translators = std::make_unique<UiTranslators>(UiLanguage::English);
            ASSERT_TRUE(translators->complete());
        }
    }
    void expectFit(const QImage& shown, const std::vector<DrawnCaption>& captions,
                   std::string look) {
        if (GetParam() == UiLanguage::English)
            look += "_en";
        QDir().mkpath(renders);
        shown.save(renders + QString::fromStdString(look) + ".png");
        ASSERT_FALSE(captions.empty()) << look;
        for (std::size_t i = 0; i < captions.size(); ++i) {
            const DrawnCaption& c = captions[i];
            const std::string where = look + ": " + c.fullText;
            EXPECT_GT(c.areaWidth, 0) << where;
            EXPECT_LE(c.rect.width(), c.areaWidth) << where;
            const QRect area(c.rect.topLeft(), QSize(c.areaWidth, c.height));
            EXPECT_TRUE(QRect(QPoint(), shown.size()).contains(area)) << where;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(c.visible.intersects(captions[j].visible))
                    << where << " over " << captions[j].fullText;
        }
    }
    template <typename Dialog> void expectFit(Dialog& dialog, const std::string& look) {
        const QImage shown = dialog.grab().toImage(); // paints, and so lists the captions
        expectFit(shown, dialog.drawnCaptions(), look);
    }

    std::unique_ptr<UiTranslators> translators;
    QString renders = qEnvironmentVariable("TALVEX_BINARY_DIR", ".") + "/renders/";
    ScriptedKeyHook hook;
    KeyNameTable names = buildKeyNameTable();
};

TEST_P(CaptionFit, MainWindowInEveryLook) {
    testing::TestFolder program{"talvex-fit-program"}, data{"talvex-fit-data"};
    MainWindowSettings settings;
    settings.paths = {program.path(), data.path()};
    bus.keyboard = std::make_shared<SimulatedKeyboard>(factorySettings());
    MainWindow window(ports(), settings);
    window.initDialog();
    ASSERT_TRUE(testing::spinUntil([&] { return !window.session().busy(); }));
    MainWindowCommands& commands = window.commands();
    SettingsPanel& panel = commands.settingsPanel();
    DeviceActivity& activity = commands.deviceActivity();
    DeviceSettings& working = window.keys().workingSettings;
    auto check = [&](const std::string& look) {
        const QImage shown = window.render();
        expectFit(shown, window.drawnCaptions(), "main_window_" + look);
    };

    check("collapsed");
    activity.unsentChanges(12);
    activity.jobEnded(DeviceJobKind::FactoryReset, false); // the longest outcome
    commands.onLButtonUp(944, 12);                         // the help panel
    check("help_and_outcome");
    commands.onLButtonUp(5, 300);
    activity.jobStarted(DeviceJobKind::FactoryReset); // the longest progress
    activity.jobProgressed(12, 12);
    for (PanelArea header : {PanelArea::LightingHeader, PanelArea::GameHeader,
                             PanelArea::ResponseHeader, PanelArea::ReportHeader})
        panel.onAreaClick(header);
    for (const LightingEffect& effect : lightingEffects) {
        working.lightEffect = effect.code;
        check("effect_" + std::to_string(effect.code));
    }
    for (PanelArea list : {PanelArea::EffectBox, PanelArea::ResponseBox}) {
        panel.onAreaClick(list);
        check(list == PanelArea::EffectBox ? "effect_list" : "response_list");
        panel.onListClick(0, 0);
    }
    auto layout = working.customLayout(0); // every key coloured, so every label is drawn
    for (std::size_t p = 0; p < kKeyPositionCount; ++p)
        for (std::size_t i = 1; i < 4; ++i)
            layout[keyPositions()[p].cellOffset + i] = 200;
    working.lightEffect = 51;
    panel.onAreaClick(PanelArea::DiySwitch);
    check("diy");
}

TEST_P(CaptionFit, DialogsOnEveryPage) {
    KeyAssignmentState keys;
    keys.workingSettings = factorySettings();
    resetAssignments(keys.assignments);
    keys.assignments[63].type = static_cast<std::uint8_t>(AssignmentType::StartProgram);
    ASSERT_TRUE(keys.assignments[63].setPathText(u"/usr/bin/a-program-with-a-long-name"));
    KeyEdit edit;
    ASSERT_TRUE(selectPosition(edit, 63));
    KeyMapDialog keyDialog(keys, edit, names, {}, hook, skin);
    keyDialog.show();
    const std::pair<int, const char*> tabs[] = {
        {280, "advanced"}, {40, "keys"}, {120, "macro"}, {200, "function"}};
    for (const auto& [x, page] : tabs) {
        testing::leftClick(&keyDialog, QPoint(x, 44));
        expectFit(keyDialog, std::string("key_dialog_") + page);
    }

    ManualClock clock;
    MacroStore macros = emptyMacroStore();
    MacroManagerDialog macroManager(macros, names, hook, clock, skin);
    macroManager.show();
    expectFit(macroManager, "macro_manager");
    testing::leftClick(&macroManager, {40, 380});  // 新建
    testing::leftClick(&macroManager, {300, 110}); // 开始录制
    hook.press(124);                               // F13, which no macro can hold: a notice
    expectFit(macroManager, "macro_manager_recording");

    testing::TestFolder data{"talvex-fit-profiles"};
    ProfileManagerDialog profiles(keys, AppPaths{".", data.path()}, nullptr, skin);
    profiles.show();
    expectFit(profiles, "profile_manager");
}

INSTANTIATE_TEST_SUITE_P(Languages, CaptionFit,
                         ::testing::Values(UiLanguage::Chinese, UiLanguage::English),
                         [](const auto& info) {
                             return info.param == UiLanguage::English ? "English" : "Chinese";
                         });

} // namespace
} // namespace talvex
