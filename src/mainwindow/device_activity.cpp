#include "mainwindow/device_activity.h"

#include "mainwindow/key_geometry.h"
#include "mainwindow/main_window_caption_areas.h"
#include "platform/ui_text.h"

#include <algorithm>

namespace talvex {

namespace {

constexpr const char* kHint =
    TALVEX_TEXT("提示：更改在按下“保存”后才写入键盘；“取消”回到上次保存的设置。");

// Beside "Kestrix" in the title bar of main.png.
constexpr int kStatusX = 72, kStatusY = 7, kStatusTextX = 86;
// The line under the keyboard picture; the bar starts where the longest progress text has ended.
constexpr int kLineX = kKeyboardPictureX, kLineY = 560;
constexpr Rect kBar{kKeyboardPictureX + 200, 566, kKeyboardPictureX + 600, 569};
constexpr int kTextHeight = 14;

constexpr Colour kMuted{150, 150, 156};
constexpr Colour kHintColour{112, 112, 118};
constexpr Colour kAbsent{110, 110, 116};
constexpr Colour kConnected{60, 200, 110};
constexpr Colour kWorking{255, 176, 32};
constexpr Colour kDone{214, 214, 220};
constexpr Colour kFailed{255, 84, 60};
constexpr Colour kTrack{54, 54, 54};
constexpr Colour kFill{239, 14, 2};

const SteadyClock& systemClock() {
    static const SystemSteadyClock clock;
    return clock;
}

// What a running job says, without and with its progress "n / m".
struct WorkingTexts {
    const char* plain;
    const char* counted;
};

WorkingTexts workingTexts(DeviceJobKind kind) {
    switch (kind) {
    case DeviceJobKind::Read:
        return {TALVEX_TEXT("正在读取键盘…"), TALVEX_TEXT("正在读取键盘… %1 / %2")};
    case DeviceJobKind::Save:
        return {TALVEX_TEXT("正在写入键盘…"), TALVEX_TEXT("正在写入键盘… %1 / %2")};
    case DeviceJobKind::FactoryReset:
        return {TALVEX_TEXT("正在恢复出厂设置…"), TALVEX_TEXT("正在恢复出厂设置… %1 / %2")};
    case DeviceJobKind::Command:
        return {TALVEX_TEXT("正在执行命令行的命令…"), TALVEX_TEXT("正在执行命令行的命令… %1 / %2")};
    }
    return {"", ""};
}

const char* outcomeText(DeviceJobKind kind, bool completed) {
    switch (kind) {
    case DeviceJobKind::Read:
        return completed ? TALVEX_TEXT("已读取键盘设置") : TALVEX_TEXT("读取失败：键盘没有响应");
    case DeviceJobKind::Save:
        return completed ? TALVEX_TEXT("已保存到键盘") : TALVEX_TEXT("保存失败：键盘没有响应");
    case DeviceJobKind::FactoryReset:
        return completed ? TALVEX_TEXT("已恢复出厂设置")
                         : TALVEX_TEXT("恢复出厂设置失败：键盘没有响应");
    case DeviceJobKind::Command:
        return completed ? TALVEX_TEXT("已执行命令行的命令")
                         : TALVEX_TEXT("命令行的命令失败：键盘没有响应");
    }
    return "";
}

} // namespace

DeviceActivity::DeviceActivity(const SteadyClock* clock) : clock_(clock ? *clock : systemClock()) {}

void DeviceActivity::keyboardConnected(bool connected) {
    connected_ = connected;
    if (!connected)
        firmware_.reset();
}

void DeviceActivity::firmwareRead(const FirmwareVersion& version) {
    firmware_ = version;
}

void DeviceActivity::jobStarted(DeviceJobKind kind) {
    running_ = kind;
    done_ = 0;
    total_ = 0;
}

void DeviceActivity::jobProgressed(std::size_t done, std::size_t total) {
    done_ = done;
    total_ = total;
}

void DeviceActivity::jobEnded(DeviceJobKind kind, bool completed) {
    running_.reset();
    outcome_ = outcomeText(kind, completed);
    outcomeFailed_ = !completed;
    outcomeUntil_ = clock_.now() + std::chrono::milliseconds(kOutcomeShownMs);
}

bool DeviceActivity::outcomeShown() const {
    return !running_ && !outcome_.empty() && clock_.now() < outcomeUntil_;
}

std::string DeviceActivity::statusText() const {
    // Each state with and without the count of changes the keyboard has not received, whole,
    // so that a translation can order its words freely.
    const bool withFirmware = connected_ && running_ != DeviceJobKind::Read && firmware_;
    const char* plain = !connected_                       ? TALVEX_TEXT("未检测到键盘")
                        : running_ == DeviceJobKind::Read ? TALVEX_TEXT("正在读取键盘…")
                        : !firmware_                      ? TALVEX_TEXT("已连接")
                                                          : TALVEX_TEXT("已连接 · 固件 %1");
    const char* counted = !connected_ ? TALVEX_TEXT("未检测到键盘 · %2 项更改未写入键盘")
                          : running_ == DeviceJobKind::Read
                              ? TALVEX_TEXT("正在读取键盘… · %2 项更改未写入键盘")
                          : !firmware_ ? TALVEX_TEXT("已连接 · %2 项更改未写入键盘")
                                       : TALVEX_TEXT("已连接 · 固件 %1 · %2 项更改未写入键盘");
    const std::string version =
        withFirmware ? std::to_string((*firmware_)[0]) + "." + std::to_string((*firmware_)[1])
                     : std::string();
    if (unsent_ == 0)
        return withFirmware ? fillText(plain, {version}) : std::string(plain);
    return fillText(counted, {version, std::to_string(unsent_)});
}

std::string DeviceActivity::lineText() const {
    if (running_) {
        const WorkingTexts texts = workingTexts(*running_);
        if (total_ > 0)
            return fillText(texts.counted, {std::to_string(done_), std::to_string(total_)});
        return texts.plain;
    }
    return outcomeShown() ? outcome_ : kHint;
}

void DeviceActivity::paint(Canvas& canvas) const {
    const Colour dot = !connected_ ? kAbsent : running_ ? kWorking : kConnected;
    writeCaption(canvas, "●", kStatusX, kStatusY, kTextHeight, dot, kCaptionAreas.statusDot);
    writeCaption(canvas, statusText(), kStatusTextX, kStatusY, kTextHeight, kMuted,
                 kCaptionAreas.status);

    if (running_) {
        writeCaption(canvas, lineText(), kLineX, kLineY, kTextHeight, kDone,
                     kCaptionAreas.progress);
        canvas.fillRect(kBar, kTrack);
        if (total_ > 0) {
            const int filled = static_cast<int>(kBar.width() * std::min(done_, total_) / total_);
            canvas.fillRect(Rect{kBar.left, kBar.top, kBar.left + filled, kBar.bottom}, kFill);
        }
        return;
    }
    const Colour colour = !outcomeShown() ? kHintColour : outcomeFailed_ ? kFailed : kDone;
    writeCaption(canvas, lineText(), kLineX, kLineY, kTextHeight, colour,
                 kCaptionAreas.activityLine);
}

} // namespace talvex
