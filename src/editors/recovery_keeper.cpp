#include "editors/recovery_keeper.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "imagefiles/file_error.h"
#include "imagefiles/image_format.h"

namespace tw {
namespace {

constexpr char kRecover[] = "mnuRecover";
constexpr char kDiscard[] = "mnuDiscardRecovered";

std::string ItemName(size_t i) { return kRecover + std::to_string(i); }

// The kept-copies folder beside the recovery folder, both in the user's state folder.
std::string KeptFolderBeside(const std::string& root) {
    return FolderName(root) + "/kept";
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(Program& program, RecoveryFolder& folder)
    : program_(program), folder_(folder), plan_(program) {
    folder_.RemoveLeftovers();
    offered_ = folder_.Waiting();
    old_ = FindKeptCopies(KeptFolderBeside(folder_.Root()));
    std::stable_sort(old_.begin(), old_.end(), [](const KeptCopy& a, const KeptCopy& b) { return a.made > b.made; });
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
    old_.clear();
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

std::vector<RecoveryKeeper::Item> RecoveryKeeper::Items() const {
    std::vector<Item> items;
    for (size_t i = 0; i < offered_.size(); ++i) items.push_back({false, i});
    for (size_t i = 0; i < old_.size(); ++i) items.push_back({true, i});
    const auto when = [this](const Item& item) { return item.old ? old_[item.at].made : offered_[item.at].modified; };
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) { return when(a) > when(b); });
    return items;
}

void RecoveryKeeper::Recover(size_t index) {
    const std::vector<Item> items = Items();
    if (index >= items.size()) return;
    if (items[index].old) RecoverOld(items[index].at);
    else RecoverSheet(items[index].at);
}

void RecoveryKeeper::RecoverSheet(size_t at) {
    const RecoveryCopy copy = offered_[at];
    offered_.erase(offered_.begin() + static_cast<std::ptrdiff_t>(at));
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
    Show(page);
    ShowOffer();
    program_.Status().SetOutcome(error.empty() ? RecoveredMessage({&page}, {}) : KeepFailedMessage(page, error, folder_.Own()));
}

void RecoveryKeeper::RecoverOld(size_t at) {
    const KeptCopy kept = old_[at];
    old_.erase(old_.begin() + static_cast<std::ptrdiff_t>(at));
    // Read through the descriptor opened without following a link, in the
    // format of the file the bytes were copied from.
    ImageDescriptor image{};
    ClearFileError();
    const int fd = OpenKeptCopy(kept);
    const int openError = errno;
    const int rc = fd >= 0 ? LoadPictureFrom(fd, kept.original, &image) : -1;
    if (fd >= 0) close(fd);
    if (rc != 0) {
        // Left on disk, as a damaged recovery copy is, and offered no more.
        std::string reason = FileError();
        if (reason.empty()) reason = fd < 0 ? ErrnoReason(openError, false) : "damaged or not a picture";
        program_.Status().SetOutcome(KeptUnreadableMessage(reason, kept.copy));
        ShowOffer();
        return;
    }
    const PageInfo& page = PageOfFile(kept.original);
    program_.RecoverFile(page, image, kept.original);
    freeimage(&image);
    const std::string error = folder_.Ok() ? folder_.Write(page, std::as_const(program_).SheetOf(page).Pixels(), false)
                                           : folder_.Problem();
    if (error.empty()) {
        plan_.Written(page);
        RemoveKeptCopy(kept);
    }
    Show(page);
    ShowOffer();
    program_.Status().SetOutcome(error.empty() ? KeptRecoveredMessage(page, kept.original)
                                               : KeepFailedMessage(page, error, folder_.Own()));
}

const PageInfo& RecoveryKeeper::PageOfFile(const std::string& path) {
    for (const RecentFile& file : program_.Recent().List()) {
        const std::optional<PageRef> ref = PageOfSurface(file.surface);
        if (file.path == path && ref && ref->side == Side::Target) return *ref->page;
    }
    return program_.FrontPage();
}

void RecoveryKeeper::Show(const PageInfo& page) {
    if (const PageInfo* p = PageToShowAfterRecovery(program_.FrontPage(), {&page})) {
        program_.SelectTab("Tab1", p->tab);
        if (p->targetTab >= 0) program_.SelectTab("Tab2", p->targetTab);
    }
}

void RecoveryKeeper::Discard() {
    for (const RecoveryCopy& c : offered_) folder_.Remove(c);
    for (const KeptCopy& k : old_) RemoveKeptCopy(k);
    const size_t count = offered_.size(), old = old_.size();
    offered_.clear();
    old_.clear();
    folder_.RemoveLeftovers();
    ShowOffer();
    if (count + old > 0) program_.Status().SetOutcome(DiscardedMessage(count, old));
}

void RecoveryKeeper::ShowOffer() {
    frmMain& form = program_.Form();
    const std::vector<Item> items = Items();
    form.Get<MenuItem>(kRecover).SetEnabled(!items.empty());
    form.Get<MenuItem>(kDiscard).SetEnabled(!items.empty());
    // One copy: the item itself recovers it; several: one item each.
    const bool several = items.size() > 1;
    for (size_t i = 0; i < kMostItems; ++i) {
        MenuItem& item = form.Get<MenuItem>(ItemName(i));
        const bool used = several && i < items.size();
        std::string caption;
        if (used && items[i].old) caption = KeptCopyCaption(old_[items[i].at].original, old_[items[i].at].made);
        else if (used) caption = RecoveryCopyCaption(*offered_[items[i].at].page, offered_[items[i].at].modified);
        item.SetCaption(caption);
        item.SetEnabled(used);
    }
}

}  // namespace tw
