#pragma once
// A copy of a file's old bytes, kept while the file is written over in place
// (a file with other hard links, or one in a folder that takes no new
// files), so that a save cut off half-way never loses both pictures. The
// copy lies beside the file, or in the kept-copies folder when the file's
// folder takes none; a note in that folder names the copy and the file, so
// that the next start finds a copy that a killed save left behind.

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// $XDG_STATE_HOME/tilewright/kept when that variable holds an absolute path,
// else ~/.local/state/tilewright/kept.
std::string KeptCopiesFolder();

struct KeptCopy {
    std::string copy;      // the old bytes
    std::string original;  // the file they were copied from
    std::string note;      // the note that names them
    int64_t made = 0;      // when the copy was written, milliseconds since the epoch
};

// The copies that saves left behind, in the order of their notes' names.
// Notes whose copy is gone, or that cannot be read, are removed. Only what
// the user owns counts: a note, a copy or an original that is a link or
// another user's, or a copy lying where no save puts one, is left alone
// and not reported, so that nothing planted makes the program read or
// delete a file of the user's elsewhere.
std::vector<KeptCopy> FindKeptCopies(const std::string& folder = KeptCopiesFolder());

// The copy opened for reading without following a link; -1 when it is no
// longer a plain file of the user's.
int OpenKeptCopy(const KeptCopy& kept);
// Deletes the copy and its note, each only while it is a plain file of the
// user's, reached through its folder and never through a link.
void RemoveKeptCopy(const KeptCopy& kept);

// "a save was cut off; the old picture is kept in COPY: ORIGINAL".
std::string KeptCopyMessage(const KeptCopy& kept);

class OldBytesCopy {
public:
    explicit OldBytesCopy(std::string folder = KeptCopiesFolder()) : folder_(std::move(folder)) {}
    // Removes the copy and its note unless Keep() was called.
    ~OldBytesCopy();
    OldBytesCopy(const OldBytesCopy&) = delete;
    OldBytesCopy& operator=(const OldBytesCopy&) = delete;

    // Copies all of `fd` (opened for reading) aside and flushes it to the
    // disk, then writes the note. False, with the reason recorded
    // (file_error.h), when no copy could be made.
    bool Make(int fd, const std::string& original);
    // Writes the old bytes back over `fd` and cuts it to their length.
    bool PutBack(int fd) const;
    // Leaves the copy and its note for the next start.
    void Keep() { kept_ = true; }
    const std::string& Path() const { return copy_; }

private:
    std::string folder_;
    std::string copy_;
    std::string note_;
    bool kept_ = false;
};

}  // namespace tw
