// Commands that read and prepare the program's per-user registry key.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "driver_common.h"
#include "text.h"

namespace e2e {

namespace {

const char kDefaultKey[] = "Software\\Halvek\\Pelmor";

// Owns an open registry key.
class Key {
public:
    Key() = default;
    explicit Key(HKEY key) : key_(key) {}
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }
    HKEY* put() { return &key_; }

private:
    HKEY key_ = nullptr;
};

std::wstring keyPath(const Command& command) { return widen(command.str("key", kDefaultKey)); }

std::string hexBytes(const BYTE* data, DWORD size) {
    std::string out;
    char buffer[4];
    for (DWORD k = 0; k < size; ++k) {
        std::snprintf(buffer, sizeof buffer, "%02x", data[k]);
        out += buffer;
    }
    return out;
}

const char* typeName(DWORD type) {
    switch (type) {
    case REG_SZ: return "sz";
    case REG_EXPAND_SZ: return "expand_sz";
    case REG_BINARY: return "binary";
    case REG_DWORD: return "dword";
    case REG_MULTI_SZ: return "multi_sz";
    case REG_QWORD: return "qword";
    default: return "other";
    }
}

// The value's type and data: a number for DWORD, text for strings, hex for the rest.
void writeValue(JsonWriter& json, DWORD type, const std::vector<BYTE>& data, DWORD size) {
    json.field("type", typeName(type));
    json.field("size", size);
    if (type == REG_DWORD && size == 4) {
        DWORD v = 0;
        memcpy(&v, data.data(), 4);
        json.field("data", static_cast<int64_t>(v));
    } else if ((type == REG_SZ || type == REG_EXPAND_SZ) && size >= sizeof(wchar_t)) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        json.field("data", narrow(text));
    } else {
        json.field("data", hexBytes(data.data(), size));
    }
}

bool openKey(const Command& command, REGSAM access, Key& key) {
    return RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(command).c_str(), 0, access, key.put()) == ERROR_SUCCESS;
}

void exists(const Command& command, JsonWriter& json) {
    Key key;
    json.field("exists", openKey(command, KEY_READ, key));
}

void createKey(const Command& command, JsonWriter& json) {
    Key key;
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(command).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.put(), &disposition);
    if (rc != ERROR_SUCCESS) throw CommandError("RegCreateKeyEx failed with " + std::to_string(rc));
    json.field("created", disposition == REG_CREATED_NEW_KEY);
}

void deleteKey(const Command& command, JsonWriter& json) {
    LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, keyPath(command).c_str());
    if (rc == ERROR_SUCCESS) rc = RegDeleteKeyW(HKEY_CURRENT_USER, keyPath(command).c_str());
    json.field("deleted", rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND);
}

void get(const Command& command, JsonWriter& json) {
    Key key;
    if (!openKey(command, KEY_READ, key)) {
        json.field("key_exists", false).field("exists", false);
        return;
    }
    std::wstring name = widen(command.str("name"));
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
    json.field("key_exists", true);
    if (rc != ERROR_SUCCESS) {
        json.field("exists", false);
        return;
    }
    std::vector<BYTE> data(size + 2);
    RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &size);
    json.field("exists", true);
    writeValue(json, type, data, size);
}

void values(const Command& command, JsonWriter& json) {
    Key key;
    if (!openKey(command, KEY_READ, key)) throw CommandError("the key does not exist");
    json.key("values").beginArray();
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        std::vector<BYTE> data(4096);
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        json.beginObject().field("name", narrow(std::wstring(name, nameLength)));
        writeValue(json, type, data, size);
        json.endObject();
    }
    json.endArray();
}

std::vector<BYTE> parseHex(const std::string& text) {
    if (text.size() % 2) throw CommandError("hex data needs an even number of digits");
    std::vector<BYTE> out;
    for (size_t k = 0; k < text.size(); k += 2) out.push_back(static_cast<BYTE>(std::stoul(text.substr(k, 2), nullptr, 16)));
    return out;
}

// Writes a value, creating the key when it is missing (so it prepares a "later start").
void set(const Command& command, JsonWriter& json) {
    Key key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(command).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        throw CommandError("cannot create the key");
    std::wstring name = widen(command.str("name"));
    std::string type = command.str("type", "dword");
    std::string data = command.str("data");
    LONG rc;
    if (type == "dword") {
        DWORD v = static_cast<DWORD>(std::stoll(data, nullptr, 0));
        rc = RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
    } else if (type == "sz") {
        std::wstring text = widen(data);
        rc = RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    } else if (type == "binary") {
        auto bytes = parseHex(data);
        rc = RegSetValueExW(key.get(), name.c_str(), 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    } else {
        throw CommandError("type= is dword, sz or binary");
    }
    if (rc != ERROR_SUCCESS) throw CommandError("RegSetValueEx failed with " + std::to_string(rc));
    json.field("written", true);
}

void del(const Command& command, JsonWriter& json) {
    Key key;
    if (!openKey(command, KEY_ALL_ACCESS, key)) {
        json.field("deleted", false);
        return;
    }
    json.field("deleted", RegDeleteValueW(key.get(), widen(command.str("name")).c_str()) == ERROR_SUCCESS);
}

}  // namespace

void registerRegistryCommands(CommandTable& table) {
    table["reg_exists"] = exists;
    table["reg_create"] = createKey;
    table["reg_delete_key"] = deleteKey;
    table["reg_get"] = get;
    table["reg_values"] = values;
    table["reg_set"] = set;
    table["reg_del"] = del;
}

}  // namespace e2e
