#pragma once
// What came of starting the driver updater that ships with the program: the window tells the
// user when it is not there or would not start, rather than doing nothing.

namespace talvex {

enum class UpdaterStart { Started, NotInstalled, Failed };

} // namespace talvex
