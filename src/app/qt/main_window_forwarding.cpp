// The commands the main window carries out for kestrix-cli: one owner of the keyboard, so the
// window's picture of it stays true and its next save reverts nothing the command line did.
#include "app/qt/main_window.h"

#include "macros/macro_slots.h"

#include <QApplication>

#include <filesystem>
#include <memory>

namespace talvex {

namespace {

ForwardedReply refusal(int exitCode, const std::string& why) {
    ForwardedReply reply;
    reply.exitCode = exitCode;
    reply.err = "kestrix-cli: " + why + "\n";
    return reply;
}

bool replacesEverything(ForwardedCommand command) {
    return command == ForwardedCommand::Apply || command == ForwardedCommand::Reset ||
           command == ForwardedCommand::LoadProfile;
}

} // namespace

void MainWindow::carryOut(const ForwardedRequest& request,
                          std::function<void(const ForwardedReply&)> answer) {
    const bool assign = request.command == ForwardedCommand::Assign;
    if (assign ? request.keymapFile != forwardedPathName(settings_.paths.keymapFile()) ||
                     !settings_.keyAssign
               : !settings_.keyboard || request.keyboard != *settings_.keyboard) {
        ForwardedReply notMine;
        notMine.status = ForwardStatus::NotMine;
        answer(notMine);
        return;
    }
    if (QApplication::activeModalWidget()) {
        answer(refusal(2, "the window has a dialog open; finish it there, then try again"));
        return;
    }
    if (assign) {
        // As the key dialog's Save: the macros the window holds give the keyboard's macro slots.
        const ForwardedReply reply =
            settings_.keyAssign(request, keys_, [this](DeviceSettings& settings) {
                buildMacroSlots(savedMacros_, settings);
            });
        if (reply.exitCode == 0)
            commands_.assignmentsChanged();
        answer(reply);
        return;
    }
    if (request.command == ForwardedCommand::ProfileStore) {
        answer(ForwardedReply{});
        return;
    }
    if (replacesEverything(request.command) && commands_.holdsChangesNotOnKeyboard()) {
        answer(refusal(2, "the window holds changes that are not on the keyboard; save or "
                          "cancel them there first"));
        return;
    }
    if (!keyboardPresent() || !settings_.keyboardWork) {
        answer(refusal(1, "no Kestrix keyboard is attached"));
        return;
    }
    auto run = std::make_shared<ForwardedRun>();
    auto job = [run, request, work = settings_.keyboardWork](DeviceIo& io) {
        *run = work(request, io);
    };
    auto done = [this, run, request, answer] {
        if (run->keyboardHolds) {
            if (request.command == ForwardedCommand::LoadProfile && run->reply.exitCode == 0) {
                auto assignments = std::make_unique<KeyAssignments>();
                const bool whole =
                    request.configuration.size() == sizeof(DeviceSettings) + sizeof(KeyAssignments);
                if (whole)
                    std::copy(request.configuration.begin() + sizeof(DeviceSettings),
                              request.configuration.end(), assignments->bytes().begin());
                commands_.takeLoadedConfiguration(*run->keyboardHolds,
                                                  whole ? assignments.get() : nullptr);
            } else {
                commands_.takeKeyboardChange(*run->keyboardHolds);
            }
        }
        jobEnded(DeviceJobKind::Command, run->reply.exitCode == 0);
        answer(run->reply);
    };
    if (!session_.runCommandJob(std::move(job), std::move(done)))
        answer(refusal(1, "the window is closing"));
}

} // namespace talvex
