#include "mainwindow/device_activity.h"

#include "mainwindow/key_geometry.h"
#include "mainwindow/main_window_caption_areas.h"

#include <algorithm>

namespace talvex {

namespace {

constexpr const char* kHint = "提示：更改在按下“保存”后才写入键盘；“取消”回到上次保存的设置。";

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

const char* workingText(DeviceJobKind kind) {
    switch (kind) {
    case DeviceJobKind::Read:
        return "正在读取键盘…";
    case DeviceJobKind::Save:
        return "正在写入键盘…";
    case DeviceJobKind::FactoryReset:
        return "正在恢复出厂设置…";
    }
    return "";
}

const char* outcomeText(DeviceJobKind kind, bool completed) {
    switch (kind) {
    case DeviceJobKind::Read:
        return completed ? "已读取键盘设置" : "读取失败：键盘没有响应";
    case DeviceJobKind::Save:
        return completed ? "已保存到键盘" : "保存失败：键盘没有响应";
    case DeviceJobKind::FactoryReset:
        return completed ? "已恢复出厂设置" : "恢复出厂设置失败：键盘没有响应";
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
    std::string text;
    if (!connected_)
        text = "未检测到键盘";
    else if (running_ == DeviceJobKind::Read)
        text = "正在读取键盘…";
    else if (!firmware_)
        text = "已连接";
    else
        text = "已连接 · 固件 " + std::to_string((*firmware_)[0]) + "." +
               std::to_string((*firmware_)[1]);
    if (unsent_ > 0)
        text += " · " + std::to_string(unsent_) + " 项更改未写入键盘";
    return text;
}

std::string DeviceActivity::lineText() const {
    if (running_) {
        std::string text = workingText(*running_);
        if (total_ > 0)
            text += " " + std::to_string(done_) + " / " + std::to_string(total_);
        return text;
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
