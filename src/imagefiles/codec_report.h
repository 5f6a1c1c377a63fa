#pragma once
// What a codec call can tell beyond its return code: why it failed, in words
// a user understands, and whether the picture had to change to fit the format.

#include <string>

namespace tw {

struct CodecReport {
    std::string reason;    // empty on success
    bool reduced = false;  // a save reduced the picture to the format's colours
};

// Sets the reason when there is a report to fill; returns `code` so that a
// failure can be reported and returned in one statement.
inline int Fail(CodecReport* report, int code, std::string reason) {
    if (report != nullptr) report->reason = std::move(reason);
    return code;
}

}  // namespace tw
