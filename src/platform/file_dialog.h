#pragma once
// The common file dialog: FileName and Filter in, a modal open or save, and
// the cancel error. The Qt program and the batch runner each answer it.

#include <string>

namespace tw {

constexpr int kCancelError = 32755;

class FileDialog {
public:
    virtual ~FileDialog() = default;
    std::string FileName;
    // "Description|pattern;pattern|Description|pattern" as the routines set it.
    std::string Filter;
    // The type a save dialog starts on, by extension ("png"); empty: the one
    // the user chose last.
    std::string Format;
    // Shows the dialog; returns 0, or kCancelError when the user cancelled.
    virtual int ShowOpen() = 0;
    virtual int ShowSave() = 0;
};

}  // namespace tw
