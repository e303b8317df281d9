// Commands that find top-level windows and read what a user sees of them.
#include <windows.h>

#include <optional>
#include <sstream>
#include <vector>

#include "driver_common.h"
#include "text.h"

namespace e2e {

namespace {

// What a wanted top-level window must match; unset parts match anything.
struct WindowFilter {
    std::optional<std::wstring> className;
    std::optional<std::wstring> caption;        // exact
    std::optional<std::wstring> captionSub;     // substring
    std::optional<std::wstring> captionPrefix;  // leading text
    std::optional<DWORD> pid;
    std::vector<DWORD> notPids;
    bool visibleOnly = false;

    bool matches(HWND hwnd) const {
        if (visibleOnly && !IsWindowVisible(hwnd)) return false;
        DWORD owner = pidOf(hwnd);
        if (pid && owner != *pid) return false;
        for (DWORD p : notPids)
            if (owner == p) return false;
        if (className && classOf(hwnd) != *className) return false;
        if (caption || captionSub || captionPrefix) {
            std::wstring text = textOf(hwnd);
            if (caption && text != *caption) return false;
            if (captionSub && text.find(*captionSub) == std::wstring::npos) return false;
            if (captionPrefix && text.compare(0, captionPrefix->size(), *captionPrefix) != 0) return false;
        }
        return true;
    }
};

WindowFilter filterFrom(const Command& command) {
    WindowFilter filter;
    if (auto v = command.optStr("class")) filter.className = widen(*v);
    if (auto v = command.optStr("caption")) filter.caption = widen(*v);
    if (auto v = command.optStr("caption_sub")) filter.captionSub = widen(*v);
    if (auto v = command.optStr("caption_prefix")) filter.captionPrefix = widen(*v);
    if (command.has("pid")) filter.pid = static_cast<DWORD>(command.integer("pid"));
    if (auto v = command.optStr("not_pid")) {
        std::stringstream list(*v);
        std::string item;
        while (std::getline(list, item, ',')) filter.notPids.push_back(static_cast<DWORD>(std::stoul(item)));
    }
    filter.visibleOnly = command.flag("visible", false);
    return filter;
}

std::vector<HWND> topLevelWindows(const WindowFilter& filter) {
    struct Search {
        const WindowFilter* filter;
        std::vector<HWND> found;
    } search{&filter, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM data) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (s->filter->matches(hwnd)) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits until a window matches; with timeout=0 it looks once.
void find(const Command& command, JsonWriter& json) {
    WindowFilter filter = filterFrom(command);
    DWORD timeout = static_cast<DWORD>(command.integer("timeout", 5000));
    DWORD start = GetTickCount();
    for (;;) {
        auto found = topLevelWindows(filter);
        if (!found.empty()) {
            json.field("t", nowMs()).field("count", static_cast<int64_t>(found.size()));
            writeWindowInfo(json, found.front());
            return;
        }
        if (GetTickCount() - start >= timeout) throw CommandError("timeout: no such window");
        Sleep(kPollMs);
    }
}

void windows(const Command& command, JsonWriter& json) {
    json.key("windows").beginArray();
    for (HWND hwnd : topLevelWindows(filterFrom(command))) {
        json.beginObject();
        writeWindowInfo(json, hwnd);
        json.endObject();
    }
    json.endArray();
}

void window(const Command& command, JsonWriter& json) { writeWindowInfo(json, hwndOption(command)); }

// Waits until the window is destroyed (or, with hidden=1, merely hidden).
void waitGone(const Command& command, JsonWriter& json) {
    HWND hwnd = parseHwnd(command.str("hwnd"));
    bool hiddenCounts = command.flag("hidden", true);
    DWORD timeout = static_cast<DWORD>(command.integer("timeout", 5000));
    DWORD start = GetTickCount();
    for (;;) {
        bool exists = IsWindow(hwnd) != FALSE;
        if (!exists || (hiddenCounts && !IsWindowVisible(hwnd))) {
            json.field("destroyed", !exists).field("t", nowMs());
            return;
        }
        if (GetTickCount() - start >= timeout) throw CommandError("timeout: window still shown");
        Sleep(kPollMs);
    }
}

// Waits until the window's caption matches (exact, prefix or substring).
void waitCaption(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    WindowFilter filter;
    if (auto v = command.optStr("caption")) filter.caption = widen(*v);
    if (auto v = command.optStr("caption_sub")) filter.captionSub = widen(*v);
    if (auto v = command.optStr("caption_prefix")) filter.captionPrefix = widen(*v);
    filter.visibleOnly = command.flag("visible", false);
    DWORD timeout = static_cast<DWORD>(command.integer("timeout", 5000));
    DWORD start = GetTickCount();
    for (;;) {
        if (!IsWindow(hwnd)) throw CommandError("window destroyed");
        if (filter.matches(hwnd)) {
            json.field("t", nowMs());
            writeWindowInfo(json, hwnd);
            return;
        }
        if (GetTickCount() - start >= timeout)
            throw CommandError("timeout: caption is \"" + narrow(textOf(hwnd)) + "\"");
        Sleep(kPollMs);
    }
}

void children(const Command& command, JsonWriter& json) {
    HWND parent = hwndOption(command);
    json.key("children").beginArray();
    struct Out {
        JsonWriter* json;
    } out{&json};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) CALLBACK -> BOOL {
            JsonWriter& j = *reinterpret_cast<Out*>(data)->json;
            j.beginObject();
            writeWindowInfo(j, child);
            j.field("id", GetDlgCtrlID(child));
            j.field("style", static_cast<int64_t>(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE))));
            j.endObject();
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
    json.endArray();
}

void foreground(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    SetForegroundWindow(hwnd);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != hwnd && GetTickCount() - start < 2000) Sleep(kPollMs);
    json.field("foreground", GetForegroundWindow() == hwnd);
}

// Moves and sizes a window as a program would (SetWindowPos); without x and y it keeps its place.
void setPos(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    RECT now{};
    GetWindowRect(hwnd, &now);
    bool move = command.has("x") || command.has("y");
    int x = static_cast<int>(command.integer("x", now.left));
    int y = static_cast<int>(command.integer("y", now.top));
    int w = static_cast<int>(command.integer("w", now.right - now.left));
    int h = static_cast<int>(command.integer("h", now.bottom - now.top));
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0u : static_cast<UINT>(SWP_NOMOVE));
    if (!SetWindowPos(hwnd, nullptr, x, y, w, h, flags))
        throw CommandError("SetWindowPos failed with " + std::to_string(GetLastError()));
    writeWindowInfo(json, hwnd);
}

void close(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    json.field("posted", PostMessageW(hwnd, WM_CLOSE, 0, 0) != FALSE);
}

}  // namespace

void registerWindowCommands(CommandTable& table) {
    table["find"] = find;
    table["windows"] = windows;
    table["window"] = window;
    table["wait_gone"] = waitGone;
    table["wait_caption"] = waitCaption;
    table["children"] = children;
    table["foreground"] = foreground;
    table["setpos"] = setPos;
    table["close"] = close;
}

}  // namespace e2e
