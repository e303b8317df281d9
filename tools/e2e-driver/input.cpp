// Paced SendInput: Wine can take an event after SendInput returns, and it resets
// the Ctrl state after a pointer move, so every event waits for the one before.
#include "input.h"

#include <cctype>
#include <cstdlib>
#include <map>

#include "driver_common.h"
#include "text.h"

namespace e2e {

DWORD gSettleMs = 30;

void settle(HWND target) {
    Sleep(gSettleMs);
    if (target && IsWindow(target)) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
        if (HANDLE process = trackedProcess(pidOf(target))) WaitForInputIdle(process, 500);
    }
}

namespace {

void sendOne(INPUT input) { SendInput(1, &input, sizeof input); }

bool isExtended(WORD vk) {
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE: case VK_RCONTROL: case VK_RMENU:
        return true;
    default:
        return false;
    }
}

void sendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) | (isExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0u);
    sendOne(input);
}

void sendUnicode(wchar_t c, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0u);
    sendOne(input);
}

void sendButton(MouseButton button, bool up) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    switch (button) {
    case MouseButton::Left: input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN; break;
    case MouseButton::Right: input.mi.dwFlags = up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN; break;
    case MouseButton::Middle: input.mi.dwFlags = up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN; break;
    }
    sendOne(input);
}

// Absolute SendInput coordinates run 0..65535 over the primary screen. Rounded up, so that
// mapping back to pixels lands on the same pixel whether the system truncates (Wine does:
// rounding to nearest here put y = 148 on 147) or rounds.
LONG normalise(LONG value, int extent) {
    return static_cast<LONG>((static_cast<int64_t>(value) * 65536 + extent - 1) / extent);
}

}  // namespace

bool moveTo(HWND target, POINT screen) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalise(screen.x, width);
    input.mi.dy = normalise(screen.y, height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    sendOne(input);
    DWORD start = GetTickCount();
    POINT at{};
    while (GetTickCount() - start < 1000) {
        GetCursorPos(&at);
        if (at.x == screen.x && at.y == screen.y) break;
        Sleep(kPollMs);
    }
    settle(target);
    return at.x == screen.x && at.y == screen.y;
}

DWORD clickAt(HWND target, POINT screen, MouseButton button, bool ctrl, int count) {
    moveTo(target, screen);
    if (ctrl) {
        sendKey(VK_CONTROL, false);
        settle(target);
    }
    DWORD first = 0, last = 0;
    for (int press = 0; press < count; ++press) {
        last = GetTickCount();
        if (press == 0) first = last;
        sendButton(button, false);
        settle(target);
        sendButton(button, true);
        settle(target);
    }
    if (ctrl) {
        sendKey(VK_CONTROL, true);
        settle(target);
    }
    return last - first;
}

void keyDown(HWND target, WORD vk) {
    sendKey(vk, false);
    settle(target);
}

void keyUp(HWND target, WORD vk) {
    sendKey(vk, true);
    settle(target);
}

void pressKey(HWND target, WORD vk) {
    keyDown(target, vk);
    keyUp(target, vk);
}

void typeText(HWND target, const std::wstring& text) {
    for (wchar_t c : text) {
        SHORT mapping = VkKeyScanW(c);
        if (mapping == -1) {
            sendUnicode(c, false);
            settle(target);
            sendUnicode(c, true);
            settle(target);
            continue;
        }
        WORD vk = static_cast<WORD>(mapping & 0xFF);
        bool shift = (mapping & 0x100) != 0;
        if (shift) keyDown(target, VK_SHIFT);
        pressKey(target, vk);
        if (shift) keyUp(target, VK_SHIFT);
    }
}

bool bringToFront(HWND hwnd) {
    if (GetForegroundWindow() == hwnd) return true;
    SetForegroundWindow(hwnd);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != hwnd && GetTickCount() - start < 2000) Sleep(kPollMs);
    settle(hwnd);
    return GetForegroundWindow() == hwnd;
}

namespace {

WORD keyByName(const std::string& name) {
    static const std::map<std::string, WORD> names = {
        {"F1", VK_F1},         {"F10", VK_F10},      {"Enter", VK_RETURN}, {"Return", VK_RETURN},
        {"Escape", VK_ESCAPE}, {"Esc", VK_ESCAPE},   {"Up", VK_UP},        {"Down", VK_DOWN},
        {"Left", VK_LEFT},     {"Right", VK_RIGHT},  {"Space", VK_SPACE},  {"Tab", VK_TAB},
        {"Delete", VK_DELETE}, {"Backspace", VK_BACK}, {"Home", VK_HOME},  {"End", VK_END},
        {"Alt", VK_MENU},      {"Ctrl", VK_CONTROL}, {"Shift", VK_SHIFT},
    };
    auto it = names.find(name);
    if (it != names.end()) return it->second;
    if (name.size() == 1) {
        SHORT mapping = VkKeyScanW(static_cast<wchar_t>(static_cast<unsigned char>(name[0])));
        if (mapping != -1) return static_cast<WORD>(mapping & 0xFF);
    }
    throw CommandError("unknown key " + name);
}

HWND optionalTarget(const Command& command) {
    if (!command.has("hwnd")) return nullptr;
    return hwndOption(command);
}

MouseButton buttonOption(const Command& command) {
    std::string name = command.str("button", "left");
    if (name == "left") return MouseButton::Left;
    if (name == "right") return MouseButton::Right;
    if (name == "middle") return MouseButton::Middle;
    throw CommandError("unknown button " + name);
}

POINT pointOption(const Command& command, HWND hwnd) {
    return clientToScreen(hwnd, static_cast<int>(command.integer("x")), static_cast<int>(command.integer("y")));
}

void move(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    POINT p = pointOption(command, hwnd);
    json.field("reached", moveTo(hwnd, p)).field("x", p.x).field("y", p.y);
}

void click(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    POINT p = pointOption(command, hwnd);
    int count = static_cast<int>(command.integer("count", 1));
    if (count < 1 || count > 2) throw CommandError("count must be 1 or 2");
    DWORD span = clickAt(hwnd, p, buttonOption(command), command.flag("ctrl", false), count);
    json.field("x", p.x).field("y", p.y).field("double_click_ms", GetDoubleClickTime());
    if (count == 2) json.field("span_ms", span);
}

// Presses and releases each named key in turn; with hwnd= the window comes forward first.
void key(const Command& command, JsonWriter& json) {
    HWND hwnd = optionalTarget(command);
    if (hwnd && !bringToFront(hwnd)) throw CommandError("window did not come to the foreground");
    for (const auto& name : command.positional()) pressKey(hwnd, keyByName(name));
    json.field("t", nowMs());
}

void keyDownCommand(const Command& command, JsonWriter& json) {
    keyDown(optionalTarget(command), keyByName(command.word(0)));
    json.field("t", nowMs());
}

void keyUpCommand(const Command& command, JsonWriter& json) {
    keyUp(optionalTarget(command), keyByName(command.word(0)));
    json.field("t", nowMs());
}

void type(const Command& command, JsonWriter& json) {
    HWND hwnd = optionalTarget(command);
    if (hwnd && !bringToFront(hwnd)) throw CommandError("window did not come to the foreground");
    typeText(hwnd, widen(command.str("text")));
    json.field("t", nowMs());
}

// Presses a button at one point, moves to another in steps and releases it there: a drag of the
// window's frame or of anything else. Both points are client coordinates and may lie outside
// the client area (the frame corner does).
void drag(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    POINT from = pointOption(command, hwnd);
    POINT to = clientToScreen(hwnd, static_cast<int>(command.integer("to_x")),
                              static_cast<int>(command.integer("to_y")));
    int steps = static_cast<int>(command.integer("steps", 10));
    if (steps < 1 || steps > 1000) throw CommandError("steps must be 1..1000");
    MouseButton button = buttonOption(command);
    moveTo(hwnd, from);
    sendButton(button, false);
    settle(hwnd);
    bool reached = true;
    for (int k = 1; k <= steps; ++k) {
        POINT at{from.x + (to.x - from.x) * k / steps, from.y + (to.y - from.y) * k / steps};
        reached = moveTo(hwnd, at) && reached;
    }
    sendButton(button, true);
    settle(hwnd);
    json.field("reached", reached).field("x", to.x).field("y", to.y);
}

void pace(const Command& command, JsonWriter& json) {
    gSettleMs = static_cast<DWORD>(command.integer("ms"));
    json.field("ms", gSettleMs);
}

void pointer(const Command&, JsonWriter& json) {
    POINT at{};
    GetCursorPos(&at);
    json.field("x", at.x).field("y", at.y);
    HWND fg = GetForegroundWindow();
    json.field("foreground", static_cast<int64_t>(reinterpret_cast<uintptr_t>(fg)));
}

}  // namespace

void registerInputCommands(CommandTable& table) {
    table["move"] = move;
    table["click"] = click;
    table["drag"] = drag;
    table["key"] = key;
    table["keydown"] = keyDownCommand;
    table["keyup"] = keyUpCommand;
    table["type"] = type;
    table["pace"] = pace;
    table["pointer"] = pointer;
}

}  // namespace e2e
