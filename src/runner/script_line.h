#pragma once
// Splits one script line into tokens: blanks separate, a token in double
// quotes may hold blanks, and \" and \\ escape inside quotes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The tokens, or nothing with `error` set when a quote is left open.
std::optional<std::vector<std::string>> SplitScriptLine(std::string_view line, std::string& error);

}  // namespace tw
