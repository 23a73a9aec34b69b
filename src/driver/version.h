// The date of this version of the program: the title screen shows it under its heading and
// --version names it after the version number.
#pragma once

namespace driver {
inline constexpr const char* VersionDate = "15. März 2016";
}  // namespace driver
