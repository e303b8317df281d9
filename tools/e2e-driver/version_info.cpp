// The command that reads a program file's version information as Windows shows it in Properties.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "driver_common.h"
#include "text.h"

namespace e2e {

namespace {

std::string dotted(DWORD high, DWORD low) {
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(high)),
                  static_cast<unsigned long>(LOWORD(high)), static_cast<unsigned long>(HIWORD(low)),
                  static_cast<unsigned long>(LOWORD(low)));
    return text;
}

// `fileversion file=PATH`: the fixed file and product versions, the first translation and its
// strings (those of them that are present).
void fileVersion(const Command& command, JsonWriter& json) {
    std::wstring file = hostPathToWindows(command.str("file"));
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) throw CommandError("no version information (error " + std::to_string(GetLastError()) + ")");
    std::vector<BYTE> info(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, info.data())) throw CommandError("GetFileVersionInfo failed");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed)
        throw CommandError("no fixed version information");
    json.field("file_version", dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS))
        .field("product_version", dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
    WORD* translation = nullptr;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD))
        throw CommandError("no translation in the version information");
    wchar_t block[64];
    std::swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    json.key("strings").beginObject();
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
                                L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        wchar_t* text = nullptr;
        if (VerQueryValueW(info.data(), (block + std::wstring(name)).c_str(), reinterpret_cast<void**>(&text), &length) &&
            length > 0)
            json.field(narrow(name), narrow(text));
    }
    json.endObject();
}

}  // namespace

void registerVersionCommands(CommandTable& table) { table["fileversion"] = fileVersion; }

}  // namespace e2e
