#pragma once
// The waits a macro can hold: the list box limits what the user types to them and the macro
// model the waits it records, so both must agree on one range.

namespace talvex {

inline constexpr int kMinDelayMs = 2;
inline constexpr int kMaxDelayMs = 60000;

} // namespace talvex
