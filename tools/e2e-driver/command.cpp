// Splits a request line into its verb, positional words and options.
#include "command.h"

#include <cctype>
#include <cstdlib>

namespace e2e {

namespace {

struct Word {
    std::string text;
    bool quotedFromStart = false;
    size_t equalsAt = std::string::npos;  // first '=' seen before any quote
};

std::vector<Word> splitWords(const std::string& line) {
    std::vector<Word> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) ++i;
        if (i >= line.size()) break;
        Word word;
        bool inQuotes = false;
        bool sawQuote = false;
        word.quotedFromStart = line[i] == '"';
        for (; i < line.size(); ++i) {
            char c = line[i];
            if (inQuotes) {
                if (c == '"') {
                    inQuotes = false;
                } else if (c == '\\' && i + 1 < line.size()) {
                    char next = line[++i];
                    switch (next) {
                    case 'n': word.text += '\n'; break;
                    case 'r': word.text += '\r'; break;
                    case 't': word.text += '\t'; break;
                    default: word.text += next;
                    }
                } else {
                    word.text += c;
                }
            } else if (c == '"') {
                inQuotes = true;
                sawQuote = true;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                break;
            } else {
                if (c == '=' && !sawQuote && word.equalsAt == std::string::npos) word.equalsAt = word.text.size();
                word.text += c;
            }
        }
        if (inQuotes) throw CommandError("unterminated quote");
        words.push_back(std::move(word));
    }
    return words;
}

bool isOptionName(const std::string& text, size_t length) {
    if (length == 0) return false;
    for (size_t k = 0; k < length; ++k) {
        auto c = static_cast<unsigned char>(text[k]);
        if (!std::isalnum(c) && c != '_') return false;
    }
    return true;
}

}  // namespace

Command Command::parse(const std::string& line) {
    Command command;
    auto words = splitWords(line);
    if (words.empty()) throw CommandError("empty command");
    command.verb_ = words[0].text;
    for (size_t k = 1; k < words.size(); ++k) {
        const Word& w = words[k];
        if (!w.quotedFromStart && w.equalsAt != std::string::npos && isOptionName(w.text, w.equalsAt)) {
            command.options_[w.text.substr(0, w.equalsAt)] = w.text.substr(w.equalsAt + 1);
        } else {
            command.positional_.push_back(w.text);
        }
    }
    return command;
}

std::string Command::str(const std::string& name) const {
    auto it = options_.find(name);
    if (it == options_.end()) throw CommandError("missing option " + name);
    return it->second;
}

std::string Command::str(const std::string& name, const std::string& fallback) const {
    auto it = options_.find(name);
    return it == options_.end() ? fallback : it->second;
}

std::optional<std::string> Command::optStr(const std::string& name) const {
    auto it = options_.find(name);
    if (it == options_.end()) return std::nullopt;
    return it->second;
}

static int64_t toInteger(const std::string& name, const std::string& text) {
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0') throw CommandError("option " + name + " is not a number: " + text);
    return v;
}

int64_t Command::integer(const std::string& name) const { return toInteger(name, str(name)); }

int64_t Command::integer(const std::string& name, int64_t fallback) const {
    auto it = options_.find(name);
    return it == options_.end() ? fallback : toInteger(name, it->second);
}

bool Command::flag(const std::string& name, bool fallback) const {
    auto it = options_.find(name);
    if (it == options_.end()) return fallback;
    const std::string& v = it->second;
    if (v == "1" || v == "true" || v == "yes") return true;
    if (v == "0" || v == "false" || v == "no") return false;
    throw CommandError("option " + name + " is not a flag: " + v);
}

const std::string& Command::word(size_t index) const {
    if (index >= positional_.size()) throw CommandError(verb_ + " needs more words");
    return positional_[index];
}

}  // namespace e2e
