// The host framework's media types and UI command sets, and the two callback
// shapes through which engines, menus and controllers report.
#pragma once

enum CUIMediaType : int {
    kMediaDiscPlayer = 12,
    kMediaDiscPlayerAlt = 13,
    kMediaTv = 14,
    kMediaFm = 17,
};

// UI command sets are plain numbers to the host (3, 13, 15, 20, 29 are used).
enum CUICtrlCmdSet : int {
    kCmdSetMenu = 3,
    kCmdSetEngineClosed = 13,
    kCmdSetSettings = 15,
    kCmdSetKey = 20,
    kCmdSetPatch = 29,
};

// Wrappers and the setup menu report to a controller through this: code is a
// CUICtrlCmdSet value, value a sub-command, len an argument or the byte count
// of data.
using MediaEventCallback = int (*)(int code, const char* data, unsigned len, int value);

// The host's notification function: five integers.
using HostCallback = int (*)(int a, int b, int c, int d, int e);
