// The separator that the system writes and tests in folder and layer paths: the backslash on
// Windows, the slash elsewhere.
#pragma once

namespace mapbasis {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace mapbasis
