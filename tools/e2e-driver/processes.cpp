// Commands that start, follow, wait for and end the programs under test.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "driver_common.h"
#include "text.h"

namespace e2e {

namespace {

// A process the driver holds a handle to from the moment it learns of it, so the
// exit code survives the process.
struct Tracked {
    HANDLE handle = nullptr;
    std::wstring exeName;  // base name, lower case
};

std::map<DWORD, Tracked>& tracked() {
    static std::map<DWORD, Tracked> table;
    return table;
}

std::wstring lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring baseName(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

DWORD pidOption(const Command& command) { return static_cast<DWORD>(command.integer("pid")); }

Tracked& requireTracked(DWORD pid) {
    auto it = tracked().find(pid);
    if (it == tracked().end()) throw CommandError("process " + std::to_string(pid) + " is not tracked");
    return it->second;
}

bool isRunning(HANDLE handle) { return WaitForSingleObject(handle, 0) == WAIT_TIMEOUT; }

DWORD exitCodeOf(HANDLE handle) {
    DWORD code = 0;
    GetExitCodeProcess(handle, &code);
    return code;
}

void track(DWORD pid, HANDLE handle, const std::wstring& exeName) {
    tracked()[pid] = Tracked{handle, lower(exeName)};
}

void launch(const Command& command, JsonWriter& json) {
    std::wstring exe = hostPathToWindows(command.str("exe"));
    std::wstring dir = hostPathToWindows(command.str("dir", ""));
    std::wstring line = L"\"" + exe + L"\"";
    std::string args = command.str("args", "");
    if (!args.empty()) line += L" " + widen(args);

    // The program gets no console and the null device as its standard handles, so
    // nothing it or its children write ends up in the driver's reply pipe. With
    // console=new it gets a console of its own instead, as Explorer starts a console program.
    bool newConsole = command.str("console", "") == "new";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!newConsole) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    }
    PROCESS_INFORMATION info{};
    double startedAt = nowMs();
    BOOL ok = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, !newConsole,
                             newConsole ? CREATE_NEW_CONSOLE : DETACHED_PROCESS, nullptr,
                             dir.empty() ? nullptr : dir.c_str(), &startup, &info);
    DWORD error = GetLastError();
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!ok) throw CommandError("CreateProcess failed with error " + std::to_string(error));
    CloseHandle(info.hThread);
    track(info.dwProcessId, info.hProcess, baseName(exe));
    json.field("pid", info.dwProcessId).field("t", startedAt);
}

// Waits for the process to end; the handle stays open for later questions.
void waitExit(const Command& command, JsonWriter& json) {
    Tracked& t = requireTracked(pidOption(command));
    DWORD timeout = static_cast<DWORD>(command.integer("timeout", 5000));
    if (WaitForSingleObject(t.handle, timeout) != WAIT_OBJECT_0) throw CommandError("timeout waiting for exit");
    json.field("exit_code", exitCodeOf(t.handle)).field("t", nowMs());
}

void status(const Command& command, JsonWriter& json) {
    Tracked& t = requireTracked(pidOption(command));
    bool running = isRunning(t.handle);
    json.field("running", running);
    if (!running) json.field("exit_code", exitCodeOf(t.handle));
}

// A process with the same file name as the old one that the driver does not know yet.
DWORD findNewCopy(const std::wstring& exeName) {
    DWORD found = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
            if (tracked().count(entry.th32ProcessID)) continue;
            if (lower(baseName(entry.szExeFile)) == exeName) found = entry.th32ProcessID;
        }
        CloseHandle(snapshot);
    }
    return found;
}

struct WindowSearch {
    std::wstring className;
    DWORD pid = 0;
};

// A top-level window of the given class whose process the driver does not know yet.
DWORD findNewWindowOwner(const std::wstring& className) {
    WindowSearch search{className, 0};
    EnumWindows(
        [](HWND hwnd, LPARAM data) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(data);
            DWORD pid = pidOf(hwnd);
            if (classOf(hwnd) == s->className && !tracked().count(pid)) {
                s->pid = pid;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.pid;
}

// After the program has started a copy of itself and ended: finds the copy, opens
// it at once so its exit code is kept, and reports how the old process ended.
void follow(const Command& command, JsonWriter& json) {
    DWORD oldPid = pidOption(command);
    Tracked old = requireTracked(oldPid);
    std::wstring className = widen(command.str("class", "TPelmorTable"));
    DWORD timeout = static_cast<DWORD>(command.integer("timeout", 10000));
    DWORD start = GetTickCount();
    DWORD newPid = 0;
    double foundAt = 0;
    while (GetTickCount() - start < timeout) {
        DWORD candidate = findNewCopy(old.exeName);
        if (!candidate) candidate = findNewWindowOwner(className);
        if (candidate) {
            HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE, FALSE, candidate);
            if (handle) {
                track(candidate, handle, old.exeName);
                newPid = candidate;
                foundAt = nowMs();
                break;
            }
        }
        Sleep(kPollMs);
    }
    DWORD elapsed = GetTickCount() - start;
    DWORD left = elapsed < timeout ? timeout - elapsed : 0;
    bool oldEnded = WaitForSingleObject(old.handle, std::max<DWORD>(left, 100)) == WAIT_OBJECT_0;
    if (!newPid) {
        std::string how = oldEnded ? "old process ended with code " + std::to_string(exitCodeOf(old.handle))
                                   : std::string("old process still running");
        throw CommandError("no new copy appeared; " + how);
    }
    json.field("pid", newPid).field("t", foundAt);
    json.field("old_ended", oldEnded);
    if (oldEnded) json.field("old_exit_code", exitCodeOf(old.handle));
}

// The process's current directory, read from its process parameters: relaunched
// copies must inherit it, and nothing else shows it from outside.
void currentDirectory(const Command& command, JsonWriter& json) {
    Tracked& t = requireTracked(pidOption(command));
    using QueryInformation = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    // The layouts of the driver's own bitness, which is the program's: both come from one tree.
    struct BasicInformation {
        LONG exitStatus;
        uintptr_t peb;
        uintptr_t affinity;
        LONG priority;
        uintptr_t pid;
        uintptr_t parent;
    } basic{};
    if (!query || query(t.handle, 0, &basic, sizeof basic, nullptr) != 0) throw CommandError("cannot query the process");
    // PEB.ProcessParameters and RTL_USER_PROCESS_PARAMETERS.CurrentDirectory.DosPath.
    constexpr uintptr_t kParametersInPeb = sizeof(void*) == 8 ? 0x20 : 0x10;
    constexpr uintptr_t kDirectoryInParameters = sizeof(void*) == 8 ? 0x38 : 0x24;
    uintptr_t parameters = 0;
    struct {
        uint16_t length;
        uint16_t maximum;
        uintptr_t buffer;
    } path{};
    SIZE_T got = 0;
    if (!ReadProcessMemory(t.handle, reinterpret_cast<void*>(basic.peb + kParametersInPeb), &parameters,
                           sizeof parameters, &got) ||
        !ReadProcessMemory(t.handle, reinterpret_cast<void*>(parameters + kDirectoryInParameters), &path,
                           sizeof path, &got))
        throw CommandError("cannot read the process parameters");
    std::wstring text(path.length / sizeof(wchar_t), L'\0');
    if (!text.empty() && !ReadProcessMemory(t.handle, reinterpret_cast<void*>(path.buffer),
                                            text.data(), path.length, &got))
        throw CommandError("cannot read the current directory");
    json.field("cwd", narrow(text));
}

void kill(const Command& command, JsonWriter& json) {
    Tracked& t = requireTracked(pidOption(command));
    bool wasRunning = isRunning(t.handle);
    if (wasRunning) {
        TerminateProcess(t.handle, 1);
        WaitForSingleObject(t.handle, 5000);
    }
    json.field("was_running", wasRunning);
}

void list(const Command&, JsonWriter& json) {
    json.key("processes").beginArray();
    for (auto& [pid, t] : tracked()) {
        json.beginObject().field("pid", pid).field("running", isRunning(t.handle));
        if (!isRunning(t.handle)) json.field("exit_code", exitCodeOf(t.handle));
        json.endObject();
    }
    json.endArray();
}

}  // namespace

HANDLE trackedProcess(DWORD pid) {
    auto it = tracked().find(pid);
    return it == tracked().end() ? nullptr : it->second.handle;
}

void endTrackedProcesses(JsonWriter* json) {
    if (json) json->key("terminated").beginArray();
    for (auto& [pid, t] : tracked()) {
        if (isRunning(t.handle)) {
            TerminateProcess(t.handle, 1);
            WaitForSingleObject(t.handle, 5000);
            if (json) json->value(pid);
        }
    }
    if (json) json->endArray();
}

void registerProcessCommands(CommandTable& table) {
    table["launch"] = launch;
    table["wait_exit"] = waitExit;
    table["status"] = status;
    table["follow"] = follow;
    table["kill"] = kill;
    table["cwd"] = currentDirectory;
    table["processes"] = list;
}

}  // namespace e2e
