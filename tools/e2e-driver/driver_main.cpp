// pelmor-e2e-driver: reads one command a line on stdin and answers each with one JSON line on stdout.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <exception>
#include <string>

#include "driver_common.h"

namespace {

using e2e::Command;
using e2e::CommandError;
using e2e::CommandTable;
using e2e::JsonWriter;

bool readLine(std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(stdin)) != EOF) {
        if (c == '\n') return true;
        line += static_cast<char>(c);
    }
    return !line.empty();
}

void reply(const std::string& json) {
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string failure(const std::string& message) {
    JsonWriter json;
    json.beginObject().field("ok", false).field("error", message).endObject();
    return json.str();
}

CommandTable buildTable(bool& quit) {
    CommandTable table;
    e2e::registerProcessCommands(table);
    e2e::registerWindowCommands(table);
    e2e::registerInputCommands(table);
    e2e::registerDialogCommands(table);
    e2e::registerScreenCommands(table);
    e2e::registerRegistryCommands(table);
    e2e::registerHookCommands(table);
    e2e::registerVersionCommands(table);
    table["ping"] = [](const Command&, JsonWriter& json) { json.field("t", e2e::nowMs()); };
    table["sleep"] = [](const Command& c, JsonWriter& json) {
        Sleep(static_cast<DWORD>(c.integer("ms")));
        json.field("t", e2e::nowMs());
    };
    table["end"] = [&quit](const Command&, JsonWriter& json) {
        e2e::removeHooks();
        e2e::endTrackedProcesses(&json);
        quit = true;
    };
    return table;
}

}  // namespace

int main() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    bool quit = false;
    CommandTable table = buildTable(quit);
    reply("{\"ok\":true,\"ready\":true}");
    std::string line;
    while (!quit && readLine(line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        try {
            Command command = Command::parse(line);
            auto it = table.find(command.verb());
            if (it == table.end()) throw CommandError("unknown command " + command.verb());
            JsonWriter json;
            json.beginObject().field("ok", true);
            it->second(command, json);
            json.endObject();
            reply(json.str());
        } catch (const CommandError& e) {
            reply(failure(e.what()));
        } catch (const std::exception& e) {
            reply(failure(std::string("internal error: ") + e.what()));
        }
    }
    // The harness closing stdin also ends the programs, so nothing outlives a case.
    e2e::removeHooks();
    e2e::endTrackedProcesses(nullptr);
    return 0;
}
