// The clock and the window helpers that several command modules use.
#include "driver_common.h"

#include <cstdlib>

#include "text.h"

namespace e2e {

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

HWND parseHwnd(const std::string& text) {
    char* end = nullptr;
    unsigned long long v = std::strtoull(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0') throw CommandError("not a window handle: " + text);
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(v));
}

HWND hwndOption(const Command& command, const char* name) { return requireWindow(parseHwnd(command.str(name))); }

HWND requireWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) throw CommandError("no such window");
    return hwnd;
}

std::wstring classOf(HWND hwnd) {
    wchar_t buffer[256];
    int n = GetClassNameW(hwnd, buffer, 256);
    return std::wstring(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring textOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return {};
    buffer.resize(copied);
    return buffer;
}

DWORD pidOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

void writeRect(JsonWriter& json, const char* name, const RECT& rect) {
    json.key(name).beginObject();
    json.field("left", rect.left).field("top", rect.top);
    json.field("width", rect.right - rect.left).field("height", rect.bottom - rect.top);
    json.endObject();
}

void writeWindowInfo(JsonWriter& json, HWND hwnd) {
    json.field("hwnd", static_cast<int64_t>(reinterpret_cast<uintptr_t>(hwnd)));
    json.field("class", narrow(classOf(hwnd)));
    json.field("caption", narrow(textOf(hwnd)));
    json.field("pid", pidOf(hwnd));
    json.field("visible", IsWindowVisible(hwnd) != FALSE);
    json.field("enabled", IsWindowEnabled(hwnd) != FALSE);
    json.field("owner", static_cast<int64_t>(reinterpret_cast<uintptr_t>(GetWindow(hwnd, GW_OWNER))));
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    writeRect(json, "rect", outer);
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin = clientToScreen(hwnd, 0, 0);
    OffsetRect(&client, origin.x, origin.y);
    writeRect(json, "client", client);
}

POINT clientToScreen(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

}  // namespace e2e
