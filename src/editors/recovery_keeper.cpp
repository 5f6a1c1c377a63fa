#include "editors/recovery_keeper.h"

#include <utility>

namespace tw {
namespace {

constexpr char kRecover[] = "mnuRecover";
constexpr char kDiscard[] = "mnuDiscardRecovered";

std::string ItemName(size_t i) { return kRecover + std::to_string(i); }

}  // namespace

RecoveryKeeper::RecoveryKeeper(Program& program, RecoveryFolder& folder)
    : program_(program), folder_(folder), plan_(program) {
    folder_.RemoveLeftovers();
    offered_ = folder_.Waiting();
    program_.OnClick(kRecover, [this] { Recover(0); });
    for (size_t i = 0; i < kMostItems; ++i) program_.OnClick(ItemName(i), [this, i] { Recover(i); });
    program_.OnClick(kDiscard, [this] { Discard(); });
    program_.OnReplacing([this](const Sheet& sheet) { KeepAside(sheet); });
    ShowOffer();

    std::vector<const PageInfo*> pages;
    for (const RecoveryCopy& c : offered_) pages.push_back(c.page);
    std::string message = folder_.Ok() ? folder_.Notice() : folder_.Problem();
    if (!pages.empty()) message += (message.empty() ? "" : "; ") + WaitingSheetsMessage(pages);
    if (!message.empty()) program_.Status().SetOutcome(message);
}

RecoveryKeeper::~RecoveryKeeper() {
    program_.OnReplacing({});
    program_.OnClick(kRecover, [] {});
    for (size_t i = 0; i < kMostItems; ++i) program_.OnClick(ItemName(i), [] {});
    program_.OnClick(kDiscard, [] {});
    offered_.clear();
    ShowOffer();
}

bool RecoveryKeeper::Check() {
    if (!folder_.Ok()) return false;
    for (const PageInfo* page : plan_.NoLongerNeeded()) folder_.RemoveCurrent(*page);
    return !plan_.Due().empty();
}

bool RecoveryKeeper::WriteDue() {
    if (!folder_.Ok()) return true;
    bool all = true;
    for (const PageInfo* page : plan_.Due()) {
        const std::string error = folder_.Write(*page, std::as_const(program_).SheetOf(*page).Pixels(), false);
        if (error.empty()) {
            plan_.Written(*page);
            continue;
        }
        all = false;
        program_.Status().SetOutcome(KeepFailedMessage(*page, error, folder_.Own()));
    }
    return all;
}

void RecoveryKeeper::KeepAside(const Sheet& sheet) {
    if (!folder_.Ok()) return;
    const std::string error = folder_.Write(sheet.Info(), sheet.Pixels(), true);
    if (!error.empty()) program_.Status().SetOutcome(KeepFailedMessage(sheet.Info(), error, folder_.Own()));
}

void RecoveryKeeper::Recover(size_t index) {
    if (index >= offered_.size()) return;
    const RecoveryCopy copy = offered_[index];
    offered_.erase(offered_.begin() + static_cast<std::ptrdiff_t>(index));
    std::optional<Raster> sheet = folder_.Read(copy);
    if (!sheet) {
        // It stays on disk but is offered no more: reading it again would
        // fail the same way.
        program_.Status().SetOutcome(
            RecoveredMessage({}, {{copy.name, folder_.Root() + '/' + copy.folder, copy.page}}));
        ShowOffer();
        return;
    }
    const PageInfo& page = *copy.page;
    program_.Recover(page, std::move(*sheet));
    // The waiting copy goes only once the sheet it brought back is on disk
    // as this copy's own: a kill in between leaves one or both.
    const std::string error = folder_.Write(page, std::as_const(program_).SheetOf(page).Pixels(), false);
    if (error.empty()) {
        plan_.Written(page);
        folder_.Remove(copy);
        folder_.RemoveLeftovers();
    }
    if (const PageInfo* p = PageToShowAfterRecovery(program_.FrontPage(), {&page})) {
        program_.SelectTab("Tab1", p->tab);
        if (p->targetTab >= 0) program_.SelectTab("Tab2", p->targetTab);
    }
    ShowOffer();
    program_.Status().SetOutcome(error.empty() ? RecoveredMessage({&page}, {}) : KeepFailedMessage(page, error, folder_.Own()));
}

void RecoveryKeeper::Discard() {
    for (const RecoveryCopy& c : offered_) folder_.Remove(c);
    const size_t count = offered_.size();
    offered_.clear();
    folder_.RemoveLeftovers();
    ShowOffer();
    if (count > 0) program_.Status().SetOutcome(DiscardedMessage(count));
}

void RecoveryKeeper::ShowOffer() {
    frmMain& form = program_.Form();
    form.Get<MenuItem>(kRecover).SetEnabled(!offered_.empty());
    form.Get<MenuItem>(kDiscard).SetEnabled(!offered_.empty());
    // One copy: the item itself recovers it; several: one item each.
    const bool several = offered_.size() > 1;
    for (size_t i = 0; i < kMostItems; ++i) {
        MenuItem& item = form.Get<MenuItem>(ItemName(i));
        const bool used = several && i < offered_.size();
        item.SetCaption(used ? RecoveryCopyCaption(*offered_[i].page, offered_[i].modified) : "");
        item.SetEnabled(used);
    }
}

}  // namespace tw
