// A small JSON writer for the driver's one-line replies and the hook's reports.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace e2e {

// Builds one JSON value as text. Callers nest objects and arrays by hand; the
// writer only tracks where a comma is due, so the output is always one line.
class JsonWriter {
public:
    JsonWriter& beginObject() { separate(); out_ += '{'; first_ = true; return *this; }
    JsonWriter& endObject() { out_ += '}'; first_ = false; return *this; }
    JsonWriter& beginArray() { separate(); out_ += '['; first_ = true; return *this; }
    JsonWriter& endArray() { out_ += ']'; first_ = false; return *this; }

    JsonWriter& key(std::string_view name) {
        separate();
        appendString(name);
        out_ += ':';
        afterKey_ = true;
        return *this;
    }

    JsonWriter& value(std::string_view text) { separate(); appendString(text); return *this; }
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(bool flag) { separate(); out_ += flag ? "true" : "false"; return *this; }
    JsonWriter& value(int64_t number) { separate(); out_ += std::to_string(number); return *this; }
    JsonWriter& value(int number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(long number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(unsigned number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(unsigned long number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(double number) {
        separate();
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.3f", number);
        out_ += buffer;
        return *this;
    }
    JsonWriter& null() { separate(); out_ += "null"; return *this; }
    // Inserts text that is already JSON (a report that the hook produced).
    JsonWriter& raw(std::string_view json) { separate(); out_ += json; return *this; }

    template <typename T>
    JsonWriter& field(std::string_view name, T v) { key(name); return value(v); }

    const std::string& str() const { return out_; }

private:
    void separate() {
        if (afterKey_) { afterKey_ = false; first_ = false; return; }
        if (!first_ && !out_.empty()) out_ += ',';
        first_ = false;
    }

    // Escapes text that is already UTF-8; control characters become \uXXXX.
    void appendString(std::string_view text) {
        out_ += '"';
        for (char c : text) {
            auto u = static_cast<unsigned char>(c);
            switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (u < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
                    out_ += buffer;
                } else {
                    out_ += c;
                }
            }
        }
        out_ += '"';
    }

    std::string out_;
    bool first_ = true;
    bool afterKey_ = false;
};

}  // namespace e2e
