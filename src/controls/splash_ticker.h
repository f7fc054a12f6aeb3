#pragma once
// Counts the splash screen's timer ticks. The count lives for the whole process and is never
// reset, so the splash shows for about a second once; a second showing ends on its first tick.

namespace talvex {

class SplashTicker {
public:
    // One timer tick; true when the splash should end now.
    bool tick() {
        bool end = count_ > 50;
        ++count_;
        return end;
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

SplashTicker& processSplashTicker();

} // namespace talvex
