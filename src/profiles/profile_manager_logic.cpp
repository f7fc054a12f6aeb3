#include "profiles/profile_manager_logic.h"

#include "keys/configuration_check.h"
#include "platform/ui_text.h"
#include "profiles/profile_names.h"

#include <array>
#include <functional>
#include <memory>

namespace talvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLimitReached = TALVEX_TEXT("最多可以存储6个配置") "\n";
// The save command shares the copy command's reminder.
constexpr const char* kSelectToCopy = TALVEX_TEXT("请选择一个配置文件拷贝");
constexpr const char* kSelectToOpen = TALVEX_TEXT("请选择一个配置文件打开");
constexpr const char* kKeepOne = TALVEX_TEXT("请至少保留一个配置文件");
constexpr const char* kSelectToDelete = TALVEX_TEXT("请选择一个配置文件删除");
constexpr const char* kDeleteQuestion = TALVEX_TEXT("删除当前配置文件吗");
constexpr const char* kRenameFailed = "Fail";
constexpr const char* kReadFailed = TALVEX_TEXT("无法读取文件，没有任何改变");
constexpr const char* kWrongSize =
    TALVEX_TEXT("这个文件不是键盘的配置文件（大小应为 10060 或 206920 字节），没有任何改变");
constexpr const char* kCannotLoad = TALVEX_TEXT("文件中的配置无法使用（%1），没有任何改变");
constexpr const char* kUnusualSetting =
    TALVEX_TEXT("文件中的设置超出了通常的范围（%1）。仍要加载吗？");
constexpr const char* kNoWorkingKey =
    TALVEX_TEXT("这个配置中所有按键都被禁用或没有功能，保存后键盘将无法输入。仍要加载吗？");
constexpr const char* kWriteFailed = TALVEX_TEXT("无法写入配置文件");
constexpr const char* kExportFailed = TALVEX_TEXT("配置已保存，但无法写入所选文件");
constexpr const char* kDeleteFailed = TALVEX_TEXT("无法删除配置文件");

constexpr std::array<ProfileMenuItem, 5> kMenu{{
    {TALVEX_TEXT("新建"), ProfileCommand::New},
    {TALVEX_TEXT("复制"), ProfileCommand::Copy},
    {TALVEX_TEXT("保存"), ProfileCommand::Save},
    {TALVEX_TEXT("加载"), ProfileCommand::Load},
    {TALVEX_TEXT("删除"), ProfileCommand::Delete},
}};

// Each caption's area ends at what follows it: the close button for the title, the button's
// right edge, the window's border for the hint.
constexpr CaptionCell kTitle{TALVEX_TEXT("配置"), 10, 10, 15, 237};
constexpr CaptionCell kButtonCaptions[] = {{TALVEX_TEXT("新建"), 30, 578, 16, 50},
                                           {TALVEX_TEXT("删除"), 200, 578, 16, 50}};
// One sentence over two lines.
constexpr CaptionCell kMenuHint[] = {
    {TALVEX_TEXT("右键单击列表可新建、复制、保存、"), 10, 541, 13, 253},
    {TALVEX_TEXT("加载和删除配置，双击名称可重命名"), 10, 556, 13, 253}};
constexpr Colour kHintColour{150, 150, 156};

// A file typed without an extension in the save chooser gets the profile files' one.
std::string withDefaultExtension(const std::string& path) {
    return fs::path(path).extension().empty() ? path + ".bin" : path;
}

// A message with the English description of what is wrong in place of "%1".
std::string naming(const char* text, const std::string& what) {
    return fillText(text, {what});
}

} // namespace

std::span<const ProfileMenuItem> profileMenu() {
    return kMenu;
}

ProfileManagerLogic::ProfileManagerLogic(fs::path profileFolder, KeyAssignmentState& working,
                                         const DeviceSettings* keyboardHolds,
                                         ProfileManagerPorts ports)
    : store_(std::move(profileFolder)), working_(working), keyboardHolds_(keyboardHolds),
      ports_(ports), buttons_([this](int x, int y) { return hitTest(x, y); }) {}

void ProfileManagerLogic::open() {
    store_.reloadProfiles();
    showStore({});
}

void ProfileManagerLogic::paint(Canvas& canvas) const {
    writeCaption(canvas, kTitle);
    canvas.drawImage(SkinFolder::Config, "button-close-normal.png", 247, 10);
    canvas.drawImage(SkinFolder::Config, "New.png", 13, 575);
    canvas.drawImage(SkinFolder::Config, "Delete.png", 183, 575);
    for (const CaptionCell& caption : kButtonCaptions)
        writeCaption(canvas, caption);
    for (const CaptionCell& line : kMenuHint)
        writeCaption(canvas, line, kHintColour);
}

std::optional<ProfileArea> ProfileManagerLogic::hitTest(int x, int y) const {
    if (x >= 248 && x <= 262 && y > 10 && y <= 24)
        return ProfileArea::Close;
    if (y >= 576 && y <= 624) {
        if (x >= 14 && x < 80)
            return ProfileArea::New;
        if (x >= 184 && x < 250)
            return ProfileArea::Delete;
    }
    return std::nullopt;
}

void ProfileManagerLogic::onLButtonDown(int x, int y) {
    buttons_.press(x, y);
}

void ProfileManagerLogic::onLButtonUp(int x, int y) {
    const std::optional<ProfileArea> area = buttons_.release(x, y);
    if (!area)
        return;
    switch (*area) {
    case ProfileArea::Close:
        ports_.host.closeDialog();
        break;
    case ProfileArea::New:
        createProfile();
        break;
    case ProfileArea::Delete:
        deleteProfile();
        break;
    }
}

bool ProfileManagerLogic::opensContextMenu(int x, int y) const {
    return x >= kListRect.left && x < kListRect.right && y >= kListRect.top && y < kListRect.bottom;
}

void ProfileManagerLogic::runCommand(ProfileCommand command) {
    switch (command) {
    case ProfileCommand::New:
        createProfile();
        break;
    case ProfileCommand::Copy:
        copyProfile();
        break;
    case ProfileCommand::Save:
        saveIntoProfile();
        break;
    case ProfileCommand::Load:
        loadIntoProfile();
        break;
    case ProfileCommand::Delete:
        deleteProfile();
        break;
    }
}

void ProfileManagerLogic::onSelectionChanged(int index) {
    selection_ = index >= 0 && static_cast<std::size_t>(index) < names().size() ? index : -1;
}

void ProfileManagerLogic::onItemEdited(int oldIndex, const std::string& newText) {
    std::string keep = selectedName();
    if (oldIndex >= 0) {
        const ProfileStatus status =
            store_.renameProfile(static_cast<std::size_t>(oldIndex), newText);
        if (status == ProfileStatus::Done)
            keep = editedProfileName(newText);
        else if (status == ProfileStatus::InvalidName || status == ProfileStatus::WriteFailed)
            ports_.prompts.message(kRenameFailed, "", MessageButtons::Ok, MessageIcon::None);
    }
    // The list shows the typed text until now; a refused name goes back to what the folder has.
    showStore(keep);
}

void ProfileManagerLogic::createProfile() {
    if (names().size() >= kMaxProfiles) {
        tell(kLimitReached);
        return;
    }
    const std::string keep = selectedName();
    tellFailure(store_.createProfile());
    showStore(keep);
}

void ProfileManagerLogic::onSelectedProfile(
    const char* refusal, const std::function<ProfileStatus(std::size_t)>& command) {
    if (!hasSelection()) {
        tell(refusal);
        return;
    }
    const std::string keep = selectedName();
    tellFailure(command(static_cast<std::size_t>(selection_)));
    showStore(keep);
}

void ProfileManagerLogic::copyProfile() {
    onSelectedProfile(kSelectToCopy, [this](std::size_t s) { return store_.copyProfile(s); });
}

void ProfileManagerLogic::saveIntoProfile() {
    onSelectedProfile(kSelectToCopy, [this](std::size_t s) {
        std::optional<std::string> chosen =
            ports_.prompts.saveFile("", store_.folder().string(), kFileFilter);
        // Cancelling the chooser only skips the export: the profile still takes the
        // configuration.
        std::optional<fs::path> exportPath;
        if (chosen)
            exportPath = fs::path(withDefaultExtension(*chosen));
        return store_.storeWorkingToProfile(s, working_.workingSettings, working_.assignments,
                                            exportPath);
    });
}

void ProfileManagerLogic::loadIntoProfile() {
    onSelectedProfile(kSelectToOpen, [this](std::size_t s) {
        const std::optional<std::string> chosen =
            ports_.prompts.openFile("", store_.folder().string(), kFileFilter);
        if (!chosen)
            return ProfileStatus::Done; // cancelled: nothing changes
        DeviceSettings settings = working_.workingSettings;
        auto assignments = std::make_unique<KeyAssignments>(working_.assignments);
        if (const ProfileStatus read = readConfigurationFile(*chosen, settings, *assignments);
            read != ProfileStatus::Done)
            return read;
        if (!acceptLoad(settings, *assignments))
            return ProfileStatus::Done;
        working_.workingSettings = settings;
        working_.assignments = *assignments;
        return store_.storeWorkingToProfile(s, settings, *assignments, std::nullopt);
    });
}

bool ProfileManagerLogic::acceptLoad(const DeviceSettings& settings,
                                     const KeyAssignments& assignments) {
    const auto ask = [this](const std::string& text) {
        return ports_.prompts.message(text, kMessageCaption, MessageButtons::OkCancel,
                                      MessageIcon::Warning) == MessageAnswer::Ok;
    };
    if (const auto problem =
            firstProblem(settings, &assignments, keyboardHolds_, CheckScope::Send)) {
        if (!problem->overridable) {
            tell(naming(kCannotLoad, problem->message), MessageIcon::Warning);
            return false;
        }
        if (!ask(naming(kUnusualSetting, problem->message)))
            return false;
    }
    return hasWorkingKey(settings) || ask(kNoWorkingKey);
}

void ProfileManagerLogic::deleteProfile() {
    if (names().size() == 1) {
        tell(kKeepOne);
        return;
    }
    onSelectedProfile(kSelectToDelete, [this](std::size_t s) {
        if (ports_.prompts.message(kDeleteQuestion, kMessageCaption, MessageButtons::OkCancel,
                                   MessageIcon::None) == MessageAnswer::Ok)
            return store_.deleteProfile(s);
        // The folder may have changed behind the dialog's back while the question was open.
        store_.reloadProfiles();
        return ProfileStatus::Done;
    });
}

void ProfileManagerLogic::showStore(const std::string& selectedName) {
    selection_ = -1;
    for (std::size_t i = 0; i < names().size(); ++i)
        if (!selectedName.empty() && names()[i] == selectedName)
            selection_ = static_cast<int>(i);
    ports_.host.showProfiles();
}

std::string ProfileManagerLogic::selectedName() const {
    return hasSelection() ? names()[static_cast<std::size_t>(selection_)] : std::string();
}

bool ProfileManagerLogic::hasSelection() const {
    return selection_ >= 0 && static_cast<std::size_t>(selection_) < names().size();
}

void ProfileManagerLogic::tell(const std::string& text, MessageIcon icon) {
    ports_.prompts.message(text, kMessageCaption, MessageButtons::Ok, icon);
}

void ProfileManagerLogic::tellFailure(ProfileStatus status) {
    switch (status) {
    case ProfileStatus::ReadFailed:
        tell(kReadFailed, MessageIcon::Warning);
        break;
    case ProfileStatus::WrongSize:
        tell(kWrongSize, MessageIcon::Warning);
        break;
    case ProfileStatus::WriteFailed:
    case ProfileStatus::InvalidName:
        tell(kWriteFailed, MessageIcon::Warning);
        break;
    case ProfileStatus::ExportFailed:
        tell(kExportFailed, MessageIcon::Warning);
        break;
    case ProfileStatus::DeleteFailed:
        tell(kDeleteFailed, MessageIcon::Warning);
        break;
    case ProfileStatus::Done:
    case ProfileStatus::LimitReached: // copying at six profiles does nothing, silently
    case ProfileStatus::NoSuchProfile:
    case ProfileStatus::NameTaken:
        break;
    }
}

} // namespace talvex
