// save_loop FOLDER FIRST: saves every file of SaveLoopFiles.h as version FIRST, FIRST+1, ...
// for ever, one file after the other. Writes one byte to stdout once the folders exist, so
// that the test knows the saving has begun.
#include "SaveLoopFiles.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_loop FOLDER FIRST\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    for (save_loop::EFile file : save_loop::kFiles)
        std::filesystem::create_directories(
            std::filesystem::path(folder + save_loop::NameOf(file)).parent_path());
    if (::write(1, "s", 1) != 1) return 1;
    for (int version = std::atoi(argv[2]);; ++version)
        for (save_loop::EFile file : save_loop::kFiles)
            if (!save_loop::Save(folder, file, version)) {
                std::fprintf(stderr, "save_loop: %s version %d not saved\n",
                             save_loop::NameOf(file), version);
                return 1;
            }
}
