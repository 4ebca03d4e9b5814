#pragma once
// The screen-wide mouse pointer shapes the program sets and reads back. The
// cell tools live in the pointer: crosshair for the white cell, icon for the
// black cell; the sizing arrows tell a click which word was meant.

namespace platform {

enum class Pointer { Default, Arrow, Hourglass, Crosshair, Icon, SizeWE, SizeNS };

} // namespace platform
