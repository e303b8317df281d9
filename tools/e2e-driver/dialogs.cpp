// Commands for the modal windows a user answers: message boxes, the program's
// input dialog, and menu commands chosen with the keyboard.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string_view>
#include <optional>
#include <vector>

#include "driver_common.h"
#include "input.h"
#include "screen.h"
#include "text.h"

namespace e2e {

namespace {

constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageIconId = 0x440;
const wchar_t kDialogClass[] = L"#32770";
const wchar_t kMenuPopupClass[] = L"#32768";

bool waitUntil(DWORD timeout, const auto& condition) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeout) return false;
        Sleep(kPollMs);
    }
}

std::wstring withoutAccelerator(const std::wstring& caption) {
    std::wstring out;
    for (size_t k = 0; k < caption.size(); ++k) {
        if (caption[k] == L'&' && k + 1 < caption.size()) ++k;
        out += caption[k];
    }
    return out;
}

std::vector<HWND> childrenOf(HWND parent, const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        std::vector<HWND> found;
        HWND parent;
    } search{className, {}, parent};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            // Only direct children: a dialog's controls, not what they might hold.
            if (GetParent(child) == s->parent && _wcsicmp(classOf(child).c_str(), s->className) == 0)
                s->found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible top-level window of the class that belongs to the process or is owned by one of its windows.
HWND findModal(DWORD pid, const std::wstring& className, const std::optional<std::wstring>& caption) {
    struct Search {
        DWORD pid;
        const std::wstring* className;
        const std::optional<std::wstring>* caption;
        HWND found;
    } search{pid, &className, &caption, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM data) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (!IsWindowVisible(hwnd) || classOf(hwnd) != *s->className) return TRUE;
            HWND owner = GetWindow(hwnd, GW_OWNER);
            if (s->pid && pidOf(hwnd) != s->pid && !(owner && pidOf(owner) == s->pid)) return TRUE;
            if (*s->caption && textOf(hwnd) != **s->caption) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void writeButtons(JsonWriter& json, HWND dialog) {
    json.key("buttons").beginArray();
    for (HWND button : childrenOf(dialog, L"Button")) {
        if (!IsWindowVisible(button)) continue;
        LONG style = GetWindowLongW(button, GWL_STYLE);
        json.beginObject();
        json.field("text", narrow(withoutAccelerator(textOf(button))));
        json.field("raw", narrow(textOf(button)));
        json.field("id", GetDlgCtrlID(button));
        json.field("default", (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        json.field("enabled", IsWindowEnabled(button) != FALSE);
        json.endObject();
    }
    json.endArray();
}

struct IconCandidate {
    const char* kind;
    LPCWSTR id;
};

const IconCandidate kIcons[] = {
    {"information", IDI_ASTERISK},
    {"warning", IDI_EXCLAMATION},
    {"error", IDI_HAND},
    {"question", IDI_QUESTION},
};

void drawIcon(HDC dc, int width, int height, void* icon) {
    DrawIconEx(dc, 0, 0, static_cast<HICON>(icon), width, height, 0, nullptr, DI_NORMAL);
}

int channelDistance(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF);
        int cb = static_cast<int>((b >> shift) & 0xFF);
        d = std::max(d, ca > cb ? ca - cb : cb - ca);
    }
    return d;
}

struct IconVerdict {
    const char* kind = "other";
    size_t mismatch[std::size(kIcons)] = {};
};

// Icon handles differ between processes, so the icon static's pixels on screen
// are compared with the system icons drawn here on the same background.
IconVerdict classifyIcon(HWND iconStatic) {
    RECT r{};
    GetWindowRect(iconStatic, &r);
    Pixels shown = captureScreen(r);
    RECT outside{r.left - 1, r.top, r.left, r.top + 1};
    uint32_t background = captureScreen(outside).at(0, 0);
    IconVerdict verdict;
    size_t best = shown.rgb.size();
    for (size_t c = 0; c < std::size(kIcons); ++c) {
        HICON icon = LoadIconW(nullptr, kIcons[c].id);
        Pixels drawn = renderOffscreen(shown.width, shown.height, background, drawIcon, icon);
        size_t mismatch = 0;
        for (size_t k = 0; k < shown.rgb.size(); ++k)
            if (channelDistance(shown.rgb[k], drawn.rgb[k]) > 8) ++mismatch;
        verdict.mismatch[c] = mismatch;
        if (mismatch < best) {
            best = mismatch;
            verdict.kind = kIcons[c].kind;
        }
    }
    // A few stray pixels are allowed for blended edges; another picture differs by dozens or hundreds.
    if (best * 50 > shown.rgb.size()) verdict.kind = "other";
    return verdict;
}

void writeIcon(JsonWriter& json, HWND dialog) {
    HWND iconStatic = GetDlgItem(dialog, kMessageIconId);
    DWORD_PTR handle = 0;
    if (iconStatic) SendMessageTimeoutW(iconStatic, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle);
    if (!iconStatic || !IsWindowVisible(iconStatic) || handle == 0) {
        json.field("icon", "none");
        return;
    }
    // The box may be on screen before its icon is painted: look again for a moment.
    IconVerdict verdict = classifyIcon(iconStatic);
    for (int attempt = 0; attempt < 20 && std::string_view(verdict.kind) == "other"; ++attempt) {
        Sleep(50);
        verdict = classifyIcon(iconStatic);
    }
    json.key("icon_mismatch").beginObject();
    for (size_t c = 0; c < std::size(kIcons); ++c) json.field(kIcons[c].kind, static_cast<int64_t>(verdict.mismatch[c]));
    json.endObject();
    json.field("icon", verdict.kind);
}

void writeMessageBox(JsonWriter& json, HWND box) {
    json.field("t", nowMs());
    writeWindowInfo(json, box);
    HWND text = GetDlgItem(box, kMessageTextId);
    json.field("text", text ? narrow(textOf(text)) : std::string());
    writeIcon(json, box);
    writeButtons(json, box);
}

DWORD pidFilter(const Command& command) { return static_cast<DWORD>(command.integer("pid", 0)); }

// Waits for a message box of the process and reads all of it.
void msgbox(const Command& command, JsonWriter& json) {
    DWORD pid = pidFilter(command);
    DWORD timeout = static_cast<DWORD>(command.integer("timeout", 5000));
    HWND box = nullptr;
    if (!waitUntil(timeout, [&] { return (box = findModal(pid, kDialogClass, std::nullopt)) != nullptr; }))
        throw CommandError("timeout: no message box");
    // The box is visible before its controls have painted; give it a moment.
    settle(box);
    writeMessageBox(json, box);
}

// Succeeds when no message box shows up within wait= milliseconds.
void noMsgbox(const Command& command, JsonWriter& json) {
    DWORD pid = pidFilter(command);
    DWORD wait = static_cast<DWORD>(command.integer("wait", 1000));
    HWND box = nullptr;
    if (waitUntil(wait, [&] { return (box = findModal(pid, kDialogClass, std::nullopt)) != nullptr; })) {
        HWND text = GetDlgItem(box, kMessageTextId);
        throw CommandError("a message box appeared: \"" + narrow(textOf(box)) + "\": " +
                           (text ? narrow(textOf(text)) : std::string()));
    }
    json.field("none", true);
}

HWND buttonByCaption(HWND window, const std::wstring& caption) {
    for (HWND button : childrenOf(window, L"Button")) {
        if (!IsWindowVisible(button)) continue;
        std::wstring text = textOf(button);
        if (text == caption || withoutAccelerator(text) == withoutAccelerator(caption)) return button;
    }
    return nullptr;
}

// Presses a button of a message box or dialog as a user would, then waits for the window to go.
void press(const Command& command, JsonWriter& json) {
    HWND window = hwndOption(command);
    std::wstring caption = widen(command.str("button"));
    HWND button = buttonByCaption(window, caption);
    if (!button) throw CommandError("no button " + command.str("button"));
    std::string how = command.str("how", "click");
    double pressedAt = nowMs();
    if (how == "click") {
        RECT r{};
        GetWindowRect(button, &r);
        clickAt(button, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MouseButton::Left, false);
    } else if (how == "key") {
        if (!bringToFront(window)) throw CommandError("window did not come to the foreground");
        SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
        settle(window);
        pressedAt = nowMs();
        pressKey(window, VK_SPACE);
    } else {
        throw CommandError("how= is click or key");
    }
    DWORD timeout = static_cast<DWORD>(command.integer("timeout", 5000));
    if (!waitUntil(timeout, [&] { return !IsWindow(window) || !IsWindowVisible(window); }))
        throw CommandError("the window did not close after pressing " + command.str("button"));
    json.field("t", pressedAt);
}

void writeInputDialog(JsonWriter& json, HWND dialog) {
    json.field("t", nowMs());
    writeWindowInfo(json, dialog);
    json.key("labels").beginArray();
    for (HWND label : childrenOf(dialog, L"Static"))
        if (IsWindowVisible(label)) json.value(narrow(textOf(label)));
    json.endArray();
    auto edits = childrenOf(dialog, L"Edit");
    if (!edits.empty()) {
        json.field("edit", static_cast<int64_t>(reinterpret_cast<uintptr_t>(edits.front())));
        json.field("edit_text", narrow(textOf(edits.front())));
    }
    writeButtons(json, dialog);
}

// Waits for the program's one-line input dialog (by class and caption).
void inputdlg(const Command& command, JsonWriter& json) {
    DWORD pid = pidFilter(command);
    std::wstring className = widen(command.str("class", "TInputQueryForm"));
    std::optional<std::wstring> caption;
    if (command.has("caption")) caption = widen(command.str("caption"));
    DWORD timeout = static_cast<DWORD>(command.integer("timeout", 5000));
    HWND dialog = nullptr;
    if (!waitUntil(timeout, [&] { return (dialog = findModal(pid, className, caption)) != nullptr; }))
        throw CommandError("timeout: no input dialog");
    settle(dialog);
    writeInputDialog(json, dialog);
}

// Replaces the text of the dialog's edit box: click into it, select everything
// with Home and Shift+End, then type (or Delete for an empty text).
void inputset(const Command& command, JsonWriter& json) {
    HWND dialog = hwndOption(command);
    auto edits = childrenOf(dialog, L"Edit");
    if (edits.empty()) throw CommandError("the window has no edit box");
    HWND edit = edits.front();
    std::wstring text = widen(command.str("text"));
    std::string method = command.str("method", "type");
    if (method == "settext") {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                            &ignored);
    } else if (method == "type") {
        if (!bringToFront(dialog)) throw CommandError("dialog did not come to the foreground");
        RECT r{};
        GetWindowRect(edit, &r);
        clickAt(edit, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MouseButton::Left, false);
        pressKey(edit, VK_HOME);
        keyDown(edit, VK_SHIFT);
        pressKey(edit, VK_END);
        keyUp(edit, VK_SHIFT);
        DWORD_PTR selection = 0;
        SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selection);
        size_t length = textOf(edit).size();
        if (LOWORD(selection) != 0 || HIWORD(selection) != length) {
            // The keys did not select it all; select through the control instead.
            SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 2000, &selection);
            json.field("selected_by_message", true);
        }
        if (text.empty())
            pressKey(edit, VK_DELETE);
        else
            typeText(edit, text);
    } else {
        throw CommandError("method= is type or settext");
    }
    json.field("text", narrow(textOf(edit)));
}

bool inMenuMode(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE);
}

bool popupShown(DWORD pid) {
    struct Search {
        DWORD pid;
        bool found;
    } search{pid, false};
    EnumWindows(
        [](HWND hwnd, LPARAM data) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (IsWindowVisible(hwnd) && pidOf(hwnd) == s->pid && classOf(hwnd) == kMenuPopupClass) {
                s->found = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Chooses a menu command with the keyboard: F10 enters the menu bar on its first
// menu, Right moves to menu top=, Down opens it on its first item, Down moves to
// item=, Enter chooses. The harness computes the two indices from its menu data.
void menu(const Command& command, JsonWriter& json) {
    HWND hwnd = hwndOption(command);
    int top = static_cast<int>(command.integer("top"));
    int item = static_cast<int>(command.integer("item"));
    DWORD pid = 0;
    DWORD thread = GetWindowThreadProcessId(hwnd, &pid);
    if (!bringToFront(hwnd)) throw CommandError("window did not come to the foreground");
    pressKey(hwnd, VK_F10);
    if (!waitUntil(2000, [&] { return inMenuMode(thread); })) throw CommandError("F10 did not enter the menu bar");
    for (int k = 0; k < top; ++k) pressKey(hwnd, VK_RIGHT);
    pressKey(hwnd, VK_DOWN);
    if (!waitUntil(2000, [&] { return popupShown(pid); })) {
        pressKey(hwnd, VK_ESCAPE);
        pressKey(hwnd, VK_ESCAPE);
        throw CommandError("Down did not open the menu");
    }
    for (int k = 0; k < item; ++k) pressKey(hwnd, VK_DOWN);
    double enterAt = nowMs();
    pressKey(hwnd, VK_RETURN);
    json.field("t", enterAt);
}

}  // namespace

void registerDialogCommands(CommandTable& table) {
    table["msgbox"] = msgbox;
    table["no_msgbox"] = noMsgbox;
    table["press"] = press;
    table["inputdlg"] = inputdlg;
    table["inputset"] = inputset;
    table["menu"] = menu;
}

}  // namespace e2e
