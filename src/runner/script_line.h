#pragma once
// Reading a script: one bounded line at a time, split into tokens. Blanks
// (space, TAB, CR) separate tokens; a token in double quotes may hold blanks,
// and \" and \\ escape inside quotes. A quote may only open and close a whole
// token, and no token holds a control character.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The longest script line read: a longer one is an error, not a bigger buffer.
constexpr size_t kMaxScriptLine = size_t{1} << 20;

enum class LineRead { Line, End, TooLong, Failed };

// The next line of `in` without its '\n'; reads at most kMaxScriptLine + 1
// bytes, whatever the stream holds.
LineRead ReadScriptLine(std::istream& in, std::string& line);

// The tokens, or nothing with `error` set when the line breaks the rules above.
std::optional<std::vector<std::string>> SplitScriptLine(std::string_view line, std::string& error);

// A whole number, all of the token.
bool ParseScriptInt(const std::string& s, long& v);
// A position: a finite number that a float holds (no inf, nan or 1e39).
bool ParseScriptCoordinate(const std::string& s, float& v);

// A token as messages quote it: in single quotes, at most 80 bytes of it, and
// control characters escaped so that nothing reaches a terminal raw.
std::string QuoteToken(std::string_view token);

}  // namespace tw
