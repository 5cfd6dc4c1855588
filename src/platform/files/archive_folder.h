// A game played from inside an archive (a ZIP or LZH file, a CD image), read whole into memory and
// never written: its files are found as on disk (the case of letters, '\', the spellings of
// name_spellings.h), inside the game's folder and one step up, no further. What the game writes
// (its bookmarks) goes to a folder of the reader's own for that archive instead, and is read back
// from there first.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A file or folder of the archive: its path inside it, '/' between folders, its name's bytes as the
// archive holds them (Shift-JIS, UTF-8 or as a tool mangled them).
struct ArchiveMember {
    std::string name;
    std::vector<uint8_t> bytes;
    bool folder = false;
};

// From now on, a game folder named path, or path + "/" + a folder inside, is one of the archive's.
// readerFolders is where the reader's files for each archive go: the archive's own lies below it,
// named after the archive and its contents, so that it is found again whatever folder the archive
// is kept in.
void mountArchive(const std::string& path, std::vector<ArchiveMember> members,
                  const std::string& readerFolders);

// What file_system.cpp asks while a game folder of the archive is entered.
namespace archive_folder {

// Whether the game folder named path is the archive's; if so it becomes the current one.
bool enter(const std::string& path);
bool entered();
// Leaves the archive's folder for the one before (GameFolder keeps it).
struct Place {
    bool entered;
    std::string folder;
};
Place place();
void restore(const Place& place);

// The member that a game's name stands for, null when there is none or it lies out of bounds.
const ArchiveMember* find(const char* sjisName);
// The names of the current folder's members, each once, with whether it is a folder and its size.
struct Entry {
    std::string name;
    bool folder;
    uint32_t size;
};
std::vector<Entry> list();
// The reader's file that a game's name stands for (bookmarks); empty for a name with folders in it.
std::string readerFile(const char* sjisName);
// Makes the reader's folder for the archive; false, with errno set, when it cannot be made.
bool makeReaderFolder();
// A name for the archive that tells it from every other, for the reader's files outside it.
const std::string& key();

}  // namespace archive_folder
