// The shared-memory block through which the driver asks the hook DLL, inside the program, for reports.
#pragma once

#include <windows.h>

#include <cstdint>

namespace e2e {

// Named objects live per wineserver, and each test case has its own, so fixed names do not collide.
constexpr wchar_t kHookBlockName[] = L"PelmorE2EHookBlock";
constexpr wchar_t kHookAnsweredEventName[] = L"PelmorE2EHookAnswered";
constexpr char kHookProcName[] = "PelmorE2EGetMessageHook";

enum class HookRequest : LONG {
    MenuTree = 1,     // the menu bar of the window and all its submenus
    Cursor = 2,       // the thread's current cursor against the system cursors
    MessageIcon = 3,  // a message box's icon against the system icons
    SetTimer = 4,     // SetTimer on the window from its own thread: args[0] id, args[1] milliseconds
};

// The driver fills kind, hwnd and args, then bumps request; the hook, on the window's
// thread, writes report and sets answered to the same number, then the event.
struct HookBlock {
    volatile LONG request;
    volatile LONG answered;
    LONG kind;
    uint32_t hwnd;
    LONG args[4];
    LONG length;
    char report[65000];
};

}  // namespace e2e
