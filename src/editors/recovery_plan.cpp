#include "editors/recovery_plan.h"

#include <algorithm>
#include <ctime>

#include "editors/program.h"
#include "editors/status_line.h"
#include "imagefiles/image_format.h"

namespace tw {
namespace {

bool Holds(const std::vector<const PageInfo*>& pages, const PageInfo& p) {
    return std::find(pages.begin(), pages.end(), &p) != pages.end();
}

// "2024-05-01 14:05:33", local time.
std::string LocalTime(int64_t ms) {
    const time_t seconds = static_cast<time_t>(ms / 1000);
    tm local{};
    char when[32] = "";
    if (localtime_r(&seconds, &local) != nullptr) strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    return when;
}

}  // namespace

RecoveryPlan::RecoveryPlan(Program& program) : program_(program), written_(Pages().size()) {}

std::vector<const PageInfo*> RecoveryPlan::NoLongerNeeded() {
    std::vector<const PageInfo*> gone;
    for (size_t i = 0; i < written_.size(); ++i) {
        if (program_.Modified(Pages()[i])) continue;
        if (written_[i]) gone.push_back(&Pages()[i]);
        written_[i].reset();
    }
    return gone;
}

std::vector<const PageInfo*> RecoveryPlan::Due() const {
    std::vector<const PageInfo*> due;
    for (size_t i = 0; i < written_.size(); ++i) {
        const PageInfo& p = Pages()[i];
        if (program_.Modified(p) && written_[i] != program_.Form().Pic(p.target.surface).Version())
            due.push_back(&p);
    }
    return due;
}

void RecoveryPlan::Written(const PageInfo& page) {
    written_[static_cast<size_t>(&page - Pages().data())] = program_.Form().Pic(page.target.surface).Version();
}

std::string SheetTitles(const std::vector<const PageInfo*>& pages) {
    std::string text;
    for (const PageInfo& p : Pages()) {
        if (!Holds(pages, p)) continue;
        if (!text.empty()) text += ", ";
        text += SurfaceTitle({&p, Side::Target});
    }
    return text;
}

std::string WaitingSheetsMessage(const std::vector<const PageInfo*>& pages) {
    return "Unsaved sheets from an earlier session are waiting (" + SheetTitles(pages) +
           "): Edit > Recover Unsaved Sheets brings them back";
}

const PageInfo* PageToShowAfterRecovery(const PageInfo& front, const std::vector<const PageInfo*>& restored) {
    if (restored.empty() || Holds(restored, front)) return nullptr;
    for (const PageInfo& p : Pages())
        if (Holds(restored, p)) return &p;
    return nullptr;
}

std::string RecoveredMessage(const std::vector<const PageInfo*>& restored,
                             const std::vector<UnreadableCopy>& unreadable) {
    std::string message;
    if (!restored.empty()) message = "Recovered " + SheetTitles(restored) + " from an earlier session";
    for (const UnreadableCopy& c : unreadable) {
        if (!message.empty()) message += "; ";
        message += FailureMessage("damaged or not a " + SurfaceTitle({c.page, Side::Target}) + " sheet",
                                  "the recovery file '" + c.fileName + "' was left in " + c.folder);
    }
    return message;
}

std::string RecoveryCopyCaption(const PageInfo& page, int64_t modifiedMs) {
    return SurfaceTitle({&page, Side::Target}) + ", " + LocalTime(modifiedMs);
}

std::string KeptCopyCaption(const std::string& original, int64_t madeMs) {
    return "Old " + BaseName(original) + ", kept by a save that was cut off, " + LocalTime(madeMs);
}

std::string KeptRecoveredMessage(const PageInfo& page, const std::string& original) {
    return "Put the old " + BaseName(original) + " back into the " + SurfaceTitle({&page, Side::Target}) +
           "; File > Save writes it over " + original;
}

std::string KeptUnreadableMessage(const std::string& reason, const std::string& copy) {
    return FailureMessage(reason, "the old picture a cut-off save kept was left in " + copy);
}

std::string DiscardedMessage(size_t count, size_t old) {
    std::string message = "Discarded ";
    if (count > 0 || old == 0)
        message += std::to_string(count) + (count == 1 ? " unsaved sheet" : " unsaved sheets");
    if (count > 0 && old > 0) message += " and ";
    if (old > 0) message += std::to_string(old) + (old == 1 ? " old picture" : " old pictures");
    return message + " from an earlier session";
}

std::string KeepFailedMessage(const PageInfo& page, const std::string& reason, const std::string& path) {
    return FailureMessage(reason, "could not keep a copy of the unsaved " + SurfaceTitle({&page, Side::Target}) +
                                      " in " + path);
}

}  // namespace tw
