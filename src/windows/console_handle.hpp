#pragma once

// Whether a C runtime descriptor is a Windows console, and its handle when it is. Part of the
// Windows console back end.

#include <windows.h>

namespace zk {

/// The console handle behind C runtime descriptor `fd`, or nullptr when `fd` is not open or is
/// no console (a file, a pipe, the null device). When it is one and `mode` is given, `*mode` is
/// the console's mode.
HANDLE console_behind(int fd, DWORD* mode = nullptr);

} // namespace zk
