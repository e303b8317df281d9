// Driver side of the hook: installs it on the program's GUI thread and asks it for reports.
#include <windows.h>

#include <map>

#include "driver_common.h"
#include "hook_shared.h"
#include "text.h"

namespace e2e {

namespace {

struct HookState {
    HANDLE mapping = nullptr;
    HookBlock* block = nullptr;
    HANDLE answered = nullptr;
    HMODULE module = nullptr;
    HOOKPROC proc = nullptr;
    std::map<DWORD, HHOOK> hooks;  // by thread
};

HookState& state() {
    static HookState s;
    return s;
}

std::wstring hookDllPath() {
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    size_t slash = path.find_last_of(L"\\/");
    return path.substr(0, slash + 1) + L"pelmor-e2e-hook.dll";
}

void prepare() {
    HookState& s = state();
    if (s.block) return;
    s.mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HookBlock), kHookBlockName);
    if (!s.mapping) throw CommandError("cannot create the shared block");
    s.block = static_cast<HookBlock*>(MapViewOfFile(s.mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(HookBlock)));
    s.answered = CreateEventW(nullptr, FALSE, FALSE, kHookAnsweredEventName);
    s.module = LoadLibraryW(hookDllPath().c_str());
    if (!s.module) throw CommandError("cannot load " + narrow(hookDllPath()));
    s.proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(s.module, kHookProcName)));
    if (!s.proc) throw CommandError("the hook DLL lacks its hook procedure");
}

// Hooks the window's thread once; Wine loads the DLL there with the next message.
void hookThreadOf(HWND hwnd) {
    prepare();
    DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    HookState& s = state();
    if (s.hooks.count(thread)) return;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, s.proc, s.module, thread);
    if (!hook) throw CommandError("SetWindowsHookEx failed with " + std::to_string(GetLastError()));
    s.hooks[thread] = hook;
}

std::string ask(HWND hwnd, HookRequest kind, DWORD timeout, LONG arg0 = 0, LONG arg1 = 0) {
    hookThreadOf(hwnd);
    HookState& s = state();
    HookBlock* b = s.block;
    b->kind = static_cast<LONG>(kind);
    b->hwnd = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd));
    b->args[0] = arg0;
    b->args[1] = arg1;
    b->args[2] = 0;
    b->args[3] = 0;
    ResetEvent(s.answered);
    MemoryBarrier();
    LONG number = b->request + 1;
    b->request = number;
    DWORD start = GetTickCount();
    // The posted message wakes the thread's GetMessage, which calls the hook; post
    // again now and then in case the thread was inside a loop that drops it.
    while (b->answered != number) {
        PostMessageW(hwnd, WM_NULL, 0, 0);
        WaitForSingleObject(s.answered, 100);
        if (GetTickCount() - start >= timeout) throw CommandError("timeout: the hook did not answer");
    }
    return std::string(b->report, static_cast<size_t>(b->length));
}

void hook(const Command& command, JsonWriter& json) {
    hookThreadOf(hwndOption(command));
    json.field("hooked", true);
}

void askCommand(const Command& command, JsonWriter& json, HookRequest kind) {
    HWND hwnd = hwndOption(command);
    json.key("report").raw(ask(hwnd, kind, static_cast<DWORD>(command.integer("timeout", 5000))));
}

// Starts a timer of the window on its own thread (the program's WM_TIMER handler then runs).
void setTimer(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    int64_t id = command.integer("id");
    int64_t ms = command.integer("ms");
    if (id <= 0 || ms <= 0 || ms > 0x7FFFFFFF) throw CommandError("id and ms must be positive");
    std::string answer = ask(hwnd, HookRequest::SetTimer, static_cast<DWORD>(command.integer("timeout", 5000)),
                             static_cast<LONG>(id), static_cast<LONG>(ms));
    if (answer.find("\"set\":true") == std::string::npos) throw CommandError("SetTimer failed in the program");
    json.key("report").raw(answer);
}

}  // namespace

void removeHooks() {
    for (auto& [thread, hook] : state().hooks) UnhookWindowsHookEx(hook);
    state().hooks.clear();
}

void registerHookCommands(CommandTable& table) {
    table["hook"] = hook;
    table["menutree"] = [](const Command& c, JsonWriter& j) { askCommand(c, j, HookRequest::MenuTree); };
    table["cursor"] = [](const Command& c, JsonWriter& j) { askCommand(c, j, HookRequest::Cursor); };
    table["msgicon"] = [](const Command& c, JsonWriter& j) { askCommand(c, j, HookRequest::MessageIcon); };
    table["settimer"] = setTimer;
}

}  // namespace e2e
