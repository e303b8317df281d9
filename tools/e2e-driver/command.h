// Parsing of the driver's command lines: a verb, positional words and name=value options.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

// A command that cannot be carried out; its text goes back as the reply's error.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One request line. Words are separated by spaces; a double-quoted word may hold
// spaces, \" and \\ (and \n, \r, \t). A word that starts with name= (before any
// quote) is an option, so a quoted "a=b" stays a positional word.
class Command {
public:
    static Command parse(const std::string& line);

    const std::string& verb() const { return verb_; }
    const std::vector<std::string>& positional() const { return positional_; }

    bool has(const std::string& name) const { return options_.count(name) != 0; }
    std::string str(const std::string& name) const;
    std::string str(const std::string& name, const std::string& fallback) const;
    std::optional<std::string> optStr(const std::string& name) const;
    int64_t integer(const std::string& name) const;
    int64_t integer(const std::string& name, int64_t fallback) const;
    bool flag(const std::string& name, bool fallback) const;
    const std::string& word(size_t index) const;

private:
    std::string verb_;
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

}  // namespace e2e
