// Shared pieces of the driver's command modules: the command table, the clock and window helpers.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "command.h"
#include "json_writer.h"

namespace e2e {

// A handler adds its fields to the reply object; it throws CommandError to fail.
using Handler = std::function<void(const Command&, JsonWriter&)>;
using CommandTable = std::map<std::string, Handler>;

// Milliseconds on the driver's monotonic clock; replies carry it so the harness
// can time events where they happen rather than where it hears of them.
double nowMs();

// Every wait in the driver polls with this step and gives up at its deadline.
constexpr DWORD kPollMs = 5;

HWND parseHwnd(const std::string& text);
HWND hwndOption(const Command& command, const char* name = "hwnd");
// Fails unless hwnd names an existing window.
HWND requireWindow(HWND hwnd);

std::wstring classOf(HWND hwnd);
// The text through WM_GETTEXT, which Wine forwards to the owning process, so it
// is also right for an edit control whose text the server does not hold.
std::wstring textOf(HWND hwnd);
DWORD pidOf(HWND hwnd);

void writeRect(JsonWriter& json, const char* name, const RECT& rect);
// Caption, class, owner, PID, visibility, outer and client rectangles (screen coordinates).
void writeWindowInfo(JsonWriter& json, HWND hwnd);

// Client coordinates of hwnd to screen coordinates.
POINT clientToScreen(HWND hwnd, int x, int y);

void registerProcessCommands(CommandTable& table);
void registerWindowCommands(CommandTable& table);
void registerInputCommands(CommandTable& table);
void registerDialogCommands(CommandTable& table);
void registerScreenCommands(CommandTable& table);
void registerRegistryCommands(CommandTable& table);
void registerHookCommands(CommandTable& table);
void registerVersionCommands(CommandTable& table);

// Terminates every process the driver launched or followed; used by "end" and at exit.
void endTrackedProcesses(JsonWriter* json);
// Removes the hooks the driver installed.
void removeHooks();
// The handle the driver keeps for a tracked process, or nullptr.
HANDLE trackedProcess(DWORD pid);

}  // namespace e2e
