// Conversions between the protocol's UTF-8 and the wide strings of the Win32 API.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

inline std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

inline std::string narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// The harness speaks host paths; Wine maps the host root to drive Z:.
inline std::wstring hostPathToWindows(std::string_view path) {
    std::wstring wide = widen(path);
    if (!wide.empty() && wide[0] == L'/') {
        for (auto& c : wide) {
            if (c == L'/') c = L'\\';
        }
        wide = L"Z:" + wide;
    }
    return wide;
}

}  // namespace e2e
