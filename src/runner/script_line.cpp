#include "runner/script_line.h"

namespace tw {

std::optional<std::vector<std::string>> SplitScriptLine(std::string_view line, std::string& error) {
    std::vector<std::string> tokens;
    size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < line.size()) {
        while (i < line.size() && blank(line[i])) ++i;
        if (i >= line.size()) break;
        std::string token;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                    token += line[i++];
                    continue;
                }
                token += c;
            }
            if (!closed) {
                error = "unterminated quoted token";
                return std::nullopt;
            }
        } else {
            while (i < line.size() && !blank(line[i])) token += line[i++];
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

}  // namespace tw
