// The hook DLL: loaded into the program's GUI thread by a WH_GETMESSAGE hook, it
// reads what only the program itself can read (its menus, its cursor, its icon
// handles), does what only its own thread can do (start a timer of its window) and
// answers through the shared block.
#include <windows.h>

#include <string>

#include "hook_shared.h"
#include "json_writer.h"
#include "text.h"

namespace {

using e2e::HookBlock;
using e2e::HookRequest;
using e2e::JsonWriter;

HookBlock* block() {
    static HookBlock* mapped = [] {
        HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, e2e::kHookBlockName);
        if (!mapping) return static_cast<HookBlock*>(nullptr);
        return static_cast<HookBlock*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(HookBlock)));
    }();
    return mapped;
}

void writeMenu(JsonWriter& json, HMENU menu, int depth) {
    json.beginArray();
    int count = GetMenuItemCount(menu);
    for (int k = 0; k < count; ++k) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = nullptr;
        GetMenuItemInfoW(menu, static_cast<UINT>(k), TRUE, &info);
        std::wstring text(info.cch + 1, L'\0');
        info.dwTypeData = text.data();
        info.cch += 1;
        GetMenuItemInfoW(menu, static_cast<UINT>(k), TRUE, &info);
        text.resize(wcslen(text.c_str()));
        json.beginObject();
        json.field("text", e2e::narrow(text));
        json.field("id", static_cast<int64_t>(info.wID));
        json.field("separator", (info.fType & MFT_SEPARATOR) != 0);
        json.field("checked", (info.fState & MFS_CHECKED) != 0);
        json.field("enabled", (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0);
        json.field("grayed", (info.fState & MFS_GRAYED) == MFS_GRAYED);
        json.field("owner_drawn", (info.fType & MFT_OWNERDRAW) != 0);
        if (info.hSubMenu && depth < 8) {
            json.key("items");
            writeMenu(json, info.hSubMenu, depth + 1);
        }
        json.endObject();
    }
    json.endArray();
}

const char* cursorName(HCURSOR cursor) {
    if (!cursor) return "none";
    if (cursor == LoadCursorW(nullptr, IDC_UPARROW)) return "uparrow";
    if (cursor == LoadCursorW(nullptr, IDC_ARROW)) return "arrow";
    return "other";
}

std::string report(HookRequest kind, HWND hwnd, const LONG* args) {
    JsonWriter json;
    json.beginObject();
    switch (kind) {
    case HookRequest::MenuTree: {
        HMENU bar = GetMenu(hwnd);
        json.field("has_menu", bar != nullptr);
        if (bar) {
            json.key("menu");
            writeMenu(json, bar, 0);
        }
        break;
    }
    case HookRequest::Cursor: {
        json.field("cursor", cursorName(GetCursor()));
        POINT at{};
        GetCursorPos(&at);
        HWND under = WindowFromPoint(at);
        if (under && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId())
            json.field("class_cursor", cursorName(reinterpret_cast<HCURSOR>(GetClassLongPtrW(under, GCLP_HCURSOR))));
        break;
    }
    case HookRequest::MessageIcon: {
        HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageW(hwnd, 0x440, STM_GETICON, 0, 0));
        const char* kind_name = "other";
        if (!icon) kind_name = "none";
        else if (icon == LoadIconW(nullptr, IDI_ASTERISK)) kind_name = "information";
        else if (icon == LoadIconW(nullptr, IDI_EXCLAMATION)) kind_name = "warning";
        else if (icon == LoadIconW(nullptr, IDI_HAND)) kind_name = "error";
        else if (icon == LoadIconW(nullptr, IDI_QUESTION)) kind_name = "question";
        json.field("icon", kind_name);
        break;
    }
    case HookRequest::SetTimer: {
        // A timer belongs to the thread that set it, so only the window's own thread can start
        // one whose WM_TIMER reaches the window as the program's own timers do.
        UINT_PTR id = static_cast<UINT_PTR>(args[0]);
        UINT_PTR set = ::SetTimer(hwnd, id, static_cast<UINT>(args[1]), nullptr);
        json.field("set", set != 0);
        json.field("id", static_cast<int64_t>(id));
        break;
    }
    default:
        json.field("error", "unknown request");
    }
    json.endObject();
    return json.str();
}

void answerPending() {
    HookBlock* b = block();
    if (!b || b->request == b->answered) return;
    HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(b->hwnd));
    // Every hooked thread sees the request; only the window's own thread answers.
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return;
    LONG number = b->request;
    LONG args[4];
    for (int k = 0; k < 4; ++k) args[k] = b->args[k];
    std::string text = report(static_cast<HookRequest>(b->kind), hwnd, args);
    if (text.size() >= sizeof b->report) text = "{\"error\":\"report too long\"}";
    memcpy(b->report, text.data(), text.size());
    b->length = static_cast<LONG>(text.size());
    MemoryBarrier();
    b->answered = number;
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, e2e::kHookAnsweredEventName)) {
        SetEvent(event);
        CloseHandle(event);
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK PelmorE2EGetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) answerPending();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
