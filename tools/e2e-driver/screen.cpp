// Screen pixels: single points, rectangles as hex rows, and BMP screenshots of windows.
#include "screen.h"

#include <cstdio>

#include "driver_common.h"
#include "text.h"

namespace e2e {

namespace {

// A top-down 32-bit DIB section selected into a memory DC; frees both when done.
class DibCanvas {
public:
    DibCanvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~DibCanvas() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool ok() const { return bits_ != nullptr; }
    HDC dc() const { return dc_; }

    Pixels read() const {
        GdiFlush();
        Pixels out;
        out.width = width_;
        out.height = height_;
        out.rgb.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
        const auto* src = static_cast<const uint32_t*>(bits_);
        for (size_t k = 0; k < out.rgb.size(); ++k) out.rgb[k] = src[k] & 0xFFFFFF;  // BGRA in memory = 0xRRGGBB
        return out;
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

COLORREF toColorRef(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::string hex(uint32_t rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%06x", static_cast<unsigned>(rgb));
    return buffer;
}

HWND windowOf(const Command& command) { return hwndOption(command); }

void pixel(const Command& command, JsonWriter& json) {
    HWND hwnd = windowOf(command);
    POINT p = clientToScreen(hwnd, static_cast<int>(command.integer("x")), static_cast<int>(command.integer("y")));
    RECT r{p.x, p.y, p.x + 1, p.y + 1};
    json.field("rgb", hex(captureScreen(r).at(0, 0)));
}

// A rectangle in client coordinates, returned as rows of six-digit hex colours.
void pixels(const Command& command, JsonWriter& json) {
    HWND hwnd = windowOf(command);
    int w = static_cast<int>(command.integer("w"));
    int h = static_cast<int>(command.integer("h"));
    if (w <= 0 || h <= 0 || static_cast<int64_t>(w) * h > 1'000'000) throw CommandError("bad rectangle size");
    POINT p = clientToScreen(hwnd, static_cast<int>(command.integer("x")), static_cast<int>(command.integer("y")));
    RECT r{p.x, p.y, p.x + w, p.y + h};
    Pixels px = captureScreen(r);
    json.field("width", w).field("height", h);
    json.key("rows").beginArray();
    for (int y = 0; y < h; ++y) {
        std::string row;
        row.reserve(static_cast<size_t>(w) * 6);
        for (int x = 0; x < w; ++x) row += hex(px.at(x, y));
        json.value(row);
    }
    json.endArray();
}

// The window as it is on screen (outer rectangle, or client=1 for the client area) into a BMP file.
void screenshot(const Command& command, JsonWriter& json) {
    RECT r{};
    if (command.has("hwnd")) {
        HWND hwnd = windowOf(command);
        if (command.flag("client", false)) {
            GetClientRect(hwnd, &r);
            POINT origin = clientToScreen(hwnd, 0, 0);
            OffsetRect(&r, origin.x, origin.y);
        } else {
            GetWindowRect(hwnd, &r);
        }
    } else {
        r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    Pixels px = captureScreen(r);
    std::wstring path = hostPathToWindows(command.str("file"));
    if (!writeBmp(path, px)) throw CommandError("cannot write " + command.str("file"));
    json.field("width", px.width).field("height", px.height);
}

}  // namespace

Pixels captureScreen(const RECT& rect) {
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) throw CommandError("empty rectangle");
    DibCanvas canvas(w, h);
    if (!canvas.ok()) throw CommandError("cannot create a bitmap");
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.read();
}

Pixels renderOffscreen(int width, int height, uint32_t background, void (*draw)(HDC, int, int, void*), void* context) {
    DibCanvas canvas(width, height);
    if (!canvas.ok()) throw CommandError("cannot create a bitmap");
    HBRUSH brush = CreateSolidBrush(toColorRef(background));
    RECT all{0, 0, width, height};
    FillRect(canvas.dc(), &all, brush);
    DeleteObject(brush);
    draw(canvas.dc(), width, height, context);
    return canvas.read();
}

bool writeBmp(const std::wstring& path, const Pixels& px) {
    const DWORD rowBytes = static_cast<DWORD>((px.width * 3 + 3) & ~3);
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(px.height);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageBytes;
    info.biSize = sizeof info;
    info.biWidth = px.width;
    info.biHeight = px.height;  // bottom-up, the form every reader accepts
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;
    std::string data(imageBytes, '\0');
    for (int y = 0; y < px.height; ++y) {
        size_t row = static_cast<size_t>(px.height - 1 - y) * rowBytes;
        for (int x = 0; x < px.width; ++x) {
            uint32_t c = px.at(x, y);
            data[row + static_cast<size_t>(x) * 3 + 0] = static_cast<char>(c & 0xFF);
            data[row + static_cast<size_t>(x) * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);
            data[row + static_cast<size_t>(x) * 3 + 2] = static_cast<char>((c >> 16) & 0xFF);
        }
    }
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(f, &file, sizeof file, &written, nullptr) && WriteFile(f, &info, sizeof info, &written, nullptr) &&
              WriteFile(f, data.data(), imageBytes, &written, nullptr);
    CloseHandle(f);
    return ok;
}

void registerScreenCommands(CommandTable& table) {
    table["pixel"] = pixel;
    table["pixels"] = pixels;
    table["screenshot"] = screenshot;
}

}  // namespace e2e
