// A game played from inside an archive (a ZIP or LZH file, a CD image), never written: its files are
// found as on disk (the case of letters, '\', the spellings of name_spellings.h), inside the game's
// folder and one step up, no further. What the game writes (its bookmarks) goes to a folder of the
// reader's own for that archive instead, and is read back from there first.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A file or folder of the archive: its path inside it, '/' between folders, its name's bytes as the
// archive holds them (Shift-JIS, UTF-8 or as a tool mangled them). A small file's bytes are kept in
// memory; a large one (a CD's sounds and films) is read from the archive again each time it is opened.
struct ArchiveMember {
    std::string name;
    std::vector<uint8_t> bytes;
    bool folder = false;
    uint64_t size = 0;
    uint64_t hash = 0;   // contentHash of its bytes
    size_t ordinal = 0;  // its place among the archive's entries
    bool kept() const { return bytes.size() == size; }
};

// Hands on a member's bytes a piece at a time; false stops the reading.
using ByteSink = std::function<bool(const uint8_t* bytes, size_t size)>;
// Reads a member that is not kept, as it was when the archive was mounted; false when it cannot, or it
// is no longer what it was (what the sink was given then is to be thrown away).
using MemberReader = std::function<bool(const ArchiveMember& member, const ByteSink& sink)>;

// From now on, a game folder named path, or path + "/" + a folder inside, is one of the archive's.
// readerFolders is where the reader's files for each archive go: the archive's own lies below it,
// named after the archive and its contents, so that it is found again whatever folder the archive
// is kept in.
void mountArchive(const std::string& path, std::vector<ArchiveMember> members,
                  const std::string& readerFolders, MemberReader readAgain);

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
// A member's bytes, read again from the archive when they are not kept; false when they cannot be.
bool readMember(const ArchiveMember& member, const ByteSink& sink);
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
