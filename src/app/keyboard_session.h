#pragma once
// The keyboard as the main window works with it: the link, the device thread and the event
// reader, the start-up read, hot-plug and the order of shutdown. Everything runs on the thread of
// its event loop; the device thread and the reader reach it only through posted calls.

#include "app/device_thread.h"
#include "app/event_loop_port.h"
#include "app/event_reader_thread.h"
#include "app/hot_plug.h"
#include "app/keyboard_reads.h"
#include "device/device_link.h"
#include "mainwindow/device_jobs.h"
#include "mainwindow/main_window_commands.h"
#include "platform/device_monitor.h"
#include "platform/hid.h"
#include "platform/pauser.h"
#include "platform/prompts.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace talvex {

enum class SessionState {
    Absent,      // no command channel and no request running
    Reading,     // the keyboard's settings are being read into the working ones
    Idle,        // the command channel is open and nothing runs
    Busy,        // a save or a factory reset runs
    ShuttingDown // final: no request starts, no read result is delivered
};

// What a finished read brought in.
struct ReadScope {
    ReadOccasion occasion = ReadOccasion::StartUp;
    bool everything = true; // false: the lighting only (just the event channel reopened)
    bool reload = true;     // the settings-reloaded handling follows
};

// The window's side of the session; called on the loop's thread.
class KeyboardSessionListener {
public:
    virtual ~KeyboardSessionListener() = default;
    // The settings a read starts from.
    virtual DeviceSettings workingSettings() = 0;
    virtual void readFinished(const KeyboardRead& read, const ReadScope& scope) = 0;
    // A read came back incomplete; what it brought was dropped.
    virtual void readIncomplete(const std::string& failure) = 0;
    virtual void keyEvent(std::uint8_t code) = 0;
    virtual void busyChanged() = 0;
    // The command channel opened or closed (at start, on an arrival, on a removal).
    virtual void connectionChanged() = 0;
    // A request started, moved on (`done` of `total` steps) and ended; the end comes just before
    // its result is delivered, and not at all for a read that ends after shutdown.
    virtual void jobStarted(DeviceJobKind kind) = 0;
    virtual void jobProgressed(std::size_t done, std::size_t total) = 0;
    virtual void jobEnded(DeviceJobKind kind, bool completed) = 0;
};

struct KeyboardSessionPorts {
    HidBackend& backend;
    Pauser& protocolPauser; // the pauses the keyboard needs between reports
    DeviceMonitor& deviceMonitor;
    Prompts& prompts;
    EventLoopPort& loop;
};

class KeyboardSession final : public DeviceJobs, private DeviceThreadListener {
public:
    // Everything given must outlive the session.
    KeyboardSession(KeyboardSessionPorts ports, KeyboardSessionListener& listener,
                    int arrivalSettleMs = kArrivalSettleMs);
    KeyboardSession(const KeyboardSession&) = delete;
    KeyboardSession& operator=(const KeyboardSession&) = delete;
    ~KeyboardSession() override { shutdown(); }

    // Follows the system's device changes; false when it reports none.
    bool watchDevices();
    // Opens both channels, starts the event reader and tells the user why the keyboard is not
    // there when it is not.
    void open();
    // Reads the keyboard's settings; nothing without a command channel or while busy (the read
    // then due delivers its own result).
    void readKeyboard();
    void onDeviceChange(const UsbDeviceChange& change);
    // While requests run or wait, keeps `action` for the end of the last and answers true;
    // otherwise false.
    bool deferUntilIdle(std::function<void()> action);
    // Runs the keyboard part of a kestrix-cli command between the window's own jobs, then
    // `done` on the loop's thread; the listener hears of its start, not of its end.
    bool runCommandJob(std::function<void(DeviceIo&)> job, std::function<void()> done);
    // Waits for a running request (a save needs the reader for its acknowledgements), then stops
    // the reader and the device thread and lets go of the channels.
    void shutdown();

    SessionState state() const;
    const DeviceLink& link() const { return link_; }
    bool readerRunning() const { return reader_.running(); }

    // DeviceJobs: a request made while another runs waits for its turn.
    bool busy() const override { return jobs_.busy(); }
    void requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                     SaveDone done) override;
    void requestFactoryReset(const DeviceSettings& working, ReadDone done) override;

private:
    void startReader();
    void startRead(const ReadScope& scope);
    void reattach(const UsbDeviceChange& arrival);
    void detach();

    // DeviceThreadListener
    void busyChanged(bool busy) override;
    void jobStarted(DeviceJobKind kind) override;
    void jobProgressed(std::size_t done, std::size_t total) override;

    KeyboardSessionPorts ports_;
    KeyboardSessionListener& listener_;
    int arrivalSettleMs_;
    DeviceLink link_;
    DeviceThread jobs_;
    EventReaderThread reader_;
    bool reading_ = false;
    bool watching_ = false;
    bool shuttingDown_ = false;
    std::function<void()> whenIdle_;
};

} // namespace talvex
