#include "runner/script_line.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <limits>

namespace tw {
namespace {

constexpr size_t kQuotedBytes = 80;

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// A C0 control, DEL, or the first byte of a C1 control in UTF-8 (C2 80-9F).
size_t ControlLength(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c == 0x7F) return 1;
    if (c == 0xC2 && i + 1 < s.size()) {
        const auto next = static_cast<unsigned char>(s[i + 1]);
        if (next >= 0x80 && next <= 0x9F) return 2;
    }
    return 0;
}

}  // namespace

LineRead ReadScriptLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf* buf = in.rdbuf();
    if (!in.good() || buf == nullptr) return in.bad() ? LineRead::Failed : LineRead::End;
    using Traits = std::char_traits<char>;
    try {
        for (;;) {
            const Traits::int_type c = buf->sbumpc();
            if (Traits::eq_int_type(c, Traits::eof())) {
                in.setstate(std::ios::eofbit);
                return line.empty() ? LineRead::End : LineRead::Line;
            }
            if (Traits::to_char_type(c) == '\n') return LineRead::Line;
            if (line.size() == kMaxScriptLine) return LineRead::TooLong;
            line.push_back(Traits::to_char_type(c));
        }
    } catch (...) {
        // A file stream reports a failed read (EIO, EISDIR) by throwing.
        in.setstate(std::ios::badbit);
        return LineRead::Failed;
    }
}

std::optional<std::vector<std::string>> SplitScriptLine(std::string_view line, std::string& error) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\0') {
            error = "a NUL byte in the line";
            return std::nullopt;
        }
    }
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && Blank(line[i])) ++i;
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
            if (i < line.size() && !Blank(line[i])) {
                error = "a quote in the middle of a token: " + QuoteToken(line.substr(i));
                return std::nullopt;
            }
        } else {
            while (i < line.size() && !Blank(line[i])) {
                if (line[i] == '"') {
                    error = "a quote in the middle of a token: " + QuoteToken(token + line[i]);
                    return std::nullopt;
                }
                token += line[i++];
            }
        }
        for (size_t k = 0; k < token.size(); ++k) {
            if (ControlLength(token, k) != 0) {
                error = "a control character in the token " + QuoteToken(token);
                return std::nullopt;
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool ParseScriptInt(const std::string& s, long& v) {
    const char* end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, v);
    return ec == std::errc() && p == end;
}

bool ParseScriptCoordinate(const std::string& s, float& v) {
    const char* end = s.data() + s.size();
    double d = 0;
    auto [p, ec] = std::from_chars(s.data(), end, d);
    if (ec != std::errc() || p != end || !std::isfinite(d)) return false;
    if (std::fabs(d) > std::numeric_limits<float>::max()) return false;
    v = static_cast<float>(d);
    return true;
}

std::string QuoteToken(std::string_view token) {
    size_t cut = token.size();
    if (cut > kQuotedBytes) {
        cut = kQuotedBytes;
        // Never split a UTF-8 character: back up over continuation bytes.
        while (cut > 0 && (static_cast<unsigned char>(token[cut]) & 0xC0) == 0x80) --cut;
    }
    std::string out = "'";
    static const char hex[] = "0123456789abcdef";
    for (size_t i = 0; i < cut;) {
        const size_t n = ControlLength(token, i);
        if (n == 0) {
            out += token[i++];
            continue;
        }
        for (size_t k = 0; k < n; ++k, ++i) {
            const auto c = static_cast<unsigned char>(token[i]);
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    out += "'";
    if (cut < token.size()) out += "...";
    return out;
}

}  // namespace tw
