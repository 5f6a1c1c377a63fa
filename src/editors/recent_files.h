#pragma once
// File > Recent Files: the last ten files loaded or saved through any page,
// newest first, each with the surface it was last loaded into or saved from,
// so that choosing one loads it there again exactly as that load button does.

#include <functional>
#include <string>
#include <vector>

namespace tw {

struct RecentFile {
    std::string path;
    std::string surface;  // a page's source or target surface
    bool operator==(const RecentFile&) const = default;
};

class RecentFiles {
public:
    static constexpr size_t kMost = 10;

    const std::vector<RecentFile>& List() const { return files_; }
    // Puts the file first (once: an older entry of the same path goes).
    void Add(RecentFile file);
    void Remove(size_t index);
    // The list kept from an earlier run; entries of unknown surfaces are left out.
    void Replace(std::vector<RecentFile> files);
    // Called after every change of the list (the window keeps it in the settings).
    void OnChange(std::function<void(const std::vector<RecentFile>&)> observer) {
        observer_ = std::move(observer);
    }

private:
    void Changed() {
        if (observer_) observer_(files_);
    }
    std::vector<RecentFile> files_;
    std::function<void(const std::vector<RecentFile>&)> observer_;
};

}  // namespace tw
