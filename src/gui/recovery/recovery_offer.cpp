#include "gui/recovery/recovery_offer.h"

#include <QFile>
#include <QFileInfo>

namespace tw {
namespace {

constexpr const char* kItem = "mnuRecover";

std::vector<const PageInfo*> PagesOf(const std::vector<WaitingSheet>& sheets) {
    std::vector<const PageInfo*> pages;
    for (const WaitingSheet& s : sheets) pages.push_back(s.page);
    return pages;
}

}  // namespace

RecoveryOffer::RecoveryOffer(Program& program, const RecoveryFolder& folder)
    : program_(program), folder_(folder), sheets_(folder.Waiting()) {
    program_.OnClick(kItem, [this] { Recover(); });
    program_.Form().Get<MenuItem>(kItem).SetEnabled(!sheets_.empty());
    if (!sheets_.empty()) program_.Status().SetOutcome(WaitingSheetsMessage(PagesOf(sheets_)));
}

RecoveryOffer::~RecoveryOffer() {
    program_.OnClick(kItem, [] {});
    program_.Form().Get<MenuItem>(kItem).SetEnabled(false);
}

void RecoveryOffer::Recover() {
    std::vector<const PageInfo*> restored;
    std::vector<UnreadableCopy> unreadable;
    // Oldest first: when two ended copies left the same sheet, the newest
    // ends up in front and the older one is a step away in the page's undo.
    for (const WaitingSheet& s : sheets_) {
        const Surface& target = program_.Form().Pic(s.page->target.surface);
        std::optional<Raster> sheet =
            ReadRecoveryFile(s.path, {target.ClientWidth(), target.ClientHeight()});
        if (!sheet) {
            unreadable.push_back({QFileInfo(s.path).fileName().toStdString(),
                                  QFileInfo(s.path).absolutePath().toStdString(), s.page});
            continue;
        }
        program_.Recover(*s.page, std::move(*sheet));
        QFile::remove(s.path);
        restored.push_back(s.page);
    }
    folder_.RemoveEmptyLeftovers();
    if (const PageInfo* p = PageToShowAfterRecovery(program_.FrontPage(), restored)) {
        program_.SelectTab("Tab1", p->tab);
        if (p->targetTab >= 0) program_.SelectTab("Tab2", p->targetTab);
    }
    // What could not be read stays on disk but is offered no more: reading it
    // again would fail the same way.
    sheets_.clear();
    program_.Form().Get<MenuItem>(kItem).SetEnabled(false);

    program_.Status().SetOutcome(RecoveredMessage(restored, unreadable));
}

}  // namespace tw
