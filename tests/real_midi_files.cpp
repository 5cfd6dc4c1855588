#include "real_midi_files.h"

#include <glob.h>

std::vector<std::string> realMidiFiles() {
    std::vector<std::string> files;
    for (const char* pattern :
         {"/usr/share/kobo-deluxe/sfx/*.mid", "/usr/share/games/dink/dink/Sound/*.mid"}) {
        glob_t found;
        if (glob(pattern, 0, nullptr, &found) == 0)
            files.insert(files.end(), found.gl_pathv, found.gl_pathv + found.gl_pathc);
        globfree(&found);
    }
    return files;
}
