#pragma once
// The About window's model: caption, size, its five controls and their texts.
// A click on the picture or on the notice line unloads it.

#include <string>

#include "platform/picture.h"

namespace tw {

struct AboutItem {
    const char* name;
    int left, top, width, height;
};

class frmAbout {
public:
    static constexpr const char* kCaption = "Info zum Tilewright (V 2.5)";
    static constexpr int kClientWidth = 480;   // 7200 twips
    static constexpr int kClientHeight = 355;  // 5325 twips
    static constexpr AboutItem kImage1{"Image1", 0, 0, 480, 329};
    static constexpr AboutItem kImage2{"Image2", 424, 8, 48, 48};
    static constexpr AboutItem kReleaseDate{"lblReleaseDate", 296, 128, 25, 25};
    static constexpr AboutItem kQuotation{"lblQuotation", 152, 136, 65, 57};
    static constexpr AboutItem kNotice{"Label2", 8, 336, 465, 17};
    static constexpr const char* kReleaseDateTip = "Release Date: 08-June-2003";
    static constexpr const char* kCreditTip = "Tilewright by Ravelin, 2003";
    static constexpr const char* kQuotationTip = "\"Every world begins with a single tile.\"";
    static constexpr const char* kNoticeText =
        "This program is free software: share it and pass it on.";

    // The 480 x 330 About picture, drawn by the program itself.
    static Picture AboutPicture();

    void Image1_Click() { Unloaded = true; }
    void Label2_Click() { Unloaded = true; }
    bool Unloaded = false;
};

}  // namespace tw
