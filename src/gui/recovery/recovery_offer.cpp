#include "gui/recovery/recovery_offer.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace tw {
namespace {

constexpr const char* kItem = "mnuRecover";

}  // namespace

std::string SheetTitles(const std::vector<WaitingSheet>& sheets) {
    std::string text;
    for (const PageInfo& p : Pages()) {
        if (std::none_of(sheets.begin(), sheets.end(),
                         [&](const WaitingSheet& s) { return s.page == &p; }))
            continue;
        if (!text.empty()) text += ", ";
        text += SurfaceTitle({&p, Side::Target});
    }
    return text;
}

RecoveryOffer::RecoveryOffer(Program& program, const RecoveryFolder& folder)
    : program_(program), folder_(folder), sheets_(folder.Waiting()) {
    program_.OnClick(kItem, [this] { Recover(); });
    program_.Form().Get<MenuItem>(kItem).SetEnabled(!sheets_.empty());
    if (!sheets_.empty())
        program_.Status().SetOutcome("Unsaved sheets from an earlier session are waiting (" +
                                     SheetTitles(sheets_) +
                                     "): Edit > Recover Unsaved Sheets brings them back");
}

RecoveryOffer::~RecoveryOffer() {
    program_.OnClick(kItem, [] {});
    program_.Form().Get<MenuItem>(kItem).SetEnabled(false);
}

void RecoveryOffer::BringToFront(const std::vector<WaitingSheet>& restored) {
    const auto was = [&](const PageInfo& p) {
        return std::any_of(restored.begin(), restored.end(),
                           [&](const WaitingSheet& s) { return s.page == &p; });
    };
    if (restored.empty() || was(program_.FrontPage())) return;
    for (const PageInfo& p : Pages()) {
        if (!was(p)) continue;
        program_.SelectTab("Tab1", p.tab);
        if (p.targetTab >= 0) program_.SelectTab("Tab2", p.targetTab);
        return;
    }
}

void RecoveryOffer::Recover() {
    std::vector<WaitingSheet> restored, unreadable;
    // Oldest first: when two ended copies left the same sheet, the newest
    // ends up in front and the older one is a step away in the page's undo.
    for (const WaitingSheet& s : sheets_) {
        const Surface& target = program_.Form().Pic(s.page->target.surface);
        std::optional<Raster> sheet =
            ReadRecoveryFile(s.path, {target.ClientWidth(), target.ClientHeight()});
        if (!sheet) {
            unreadable.push_back(s);
            continue;
        }
        program_.Recover(*s.page, std::move(*sheet));
        QFile::remove(s.path);
        restored.push_back(s);
    }
    folder_.RemoveEmptyLeftovers();
    BringToFront(restored);
    // What could not be read stays on disk but is offered no more: reading it
    // again would fail the same way.
    sheets_.clear();
    program_.Form().Get<MenuItem>(kItem).SetEnabled(false);

    std::string message;
    if (!restored.empty())
        message = "Recovered " + SheetTitles(restored) + " from an earlier session";
    for (const WaitingSheet& s : unreadable) {
        if (!message.empty()) message += "; ";
        message += "cannot read the recovery file '" + QFileInfo(s.path).fileName().toStdString() +
                   "' in " + QFileInfo(s.path).absolutePath().toStdString() +
                   ": it is damaged or not a " + SurfaceTitle({s.page, Side::Target}) +
                   " sheet; it was left there";
    }
    program_.Status().SetOutcome(message);
}

}  // namespace tw
