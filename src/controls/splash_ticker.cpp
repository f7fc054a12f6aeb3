#include "controls/splash_ticker.h"

namespace talvex {

SplashTicker& processSplashTicker() {
    static SplashTicker ticker;
    return ticker;
}

} // namespace talvex
