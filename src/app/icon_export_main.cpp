// tilewright-icons FOLDER: writes the program icon as PNG files into the
// desktop's icon theme layout under FOLDER (hicolor/NxN/apps/tilewright.png).

#include <filesystem>
#include <iostream>
#include <string>

#include "imagefiles/dump_picture.h"
#include "shell/app_icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tilewright-icons FOLDER\n";
        return 2;
    }
    for (int size : {16, 32, 48, 128}) {
        const std::string side = std::to_string(size);
        const std::filesystem::path dir =
            std::filesystem::path(argv[1]) / "hicolor" / (side + "x" + side) / "apps";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        const std::string file = (dir / "tilewright.png").string();
        const std::string error = tw::DumpRaster(tw::AppIcon(size), file);
        if (!error.empty()) {
            std::cerr << error << "\n";
            return 1;
        }
        std::cout << file << "\n";
    }
    return 0;
}
