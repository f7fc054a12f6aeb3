#pragma once
// What the main window logic asks of the window that shows it.

namespace talvex {

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    virtual void requestRepaint() = 0;
    // Hides the window; the notification-area icon keeps the program reachable.
    virtual void hideWindow() = 0;
    // Ends the main window, and with it the program.
    virtual void closeWindow() = 0;
    // Moves the window with the mouse as if its caption had been grabbed at the point.
    virtual void startWindowDrag(int x, int y) = 0;
    // Whether the keyboard's command channel is open: without it a save goes to the files only.
    virtual bool keyboardPresent() const = 0;
    // The wait cursor while the keyboard is busy with a request.
    virtual void setBusyCursor(bool busy) = 0;
    // Reads every setting of the keyboard again, as at start-up; the result comes back through
    // MainWindowCommands::takeKeyboardRead or keyboardReadIncomplete. Nothing happens while the
    // keyboard is absent or busy: the read then due delivers its own result.
    virtual void readKeyboardAgain() = 0;
};

} // namespace talvex
