// Writes the generated files of the bundled working folder:
//   zebora_assets OUTPUT_FOLDER
#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "assets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zebora_assets OUTPUT_FOLDER\n");
        return 2;
    }
    for (const Asset& asset : makeAssets()) {
        std::string path = std::string(argv[1]) + "/" + asset.path;
        size_t slash = asset.path.find('/');
        if (slash != std::string::npos)
            mkdir((std::string(argv[1]) + "/" + asset.path.substr(0, slash)).c_str(), 0755);
        std::ofstream out(path, std::ios::binary);
        out << asset.bytes;
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
