#include "editors/recent_files.h"

#include <algorithm>

#include "editors/page_table.h"

namespace tw {

void RecentFiles::Add(RecentFile file) {
    std::erase_if(files_, [&](const RecentFile& f) { return f.path == file.path; });
    files_.insert(files_.begin(), std::move(file));
    if (files_.size() > kMost) files_.resize(kMost);
    Changed();
}

void RecentFiles::Remove(size_t index) {
    if (index >= files_.size()) return;
    files_.erase(files_.begin() + static_cast<long>(index));
    Changed();
}

void RecentFiles::Replace(std::vector<RecentFile> files) {
    files_.clear();
    for (RecentFile& f : files)
        if (!f.path.empty() && PageOfSurface(f.surface) && files_.size() < kMost)
            files_.push_back(std::move(f));
    Changed();
}

}  // namespace tw
