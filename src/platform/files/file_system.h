// Game files found as Windows finds them: a name matches case-insensitively within its folder, '\'
// separates folders, and a Shift-JIS name also matches its UTF-8 form on disk.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files/archive_folder.h"

// The path on disk that a script's file name stands for. When nothing on disk matches, the name is
// kept as written, so that opening it fails as it would on Windows.
void resolveGamePath(const char* sjisName, char* out, size_t outSize);

// Opens a game file for reading. Only a regular file is opened, never a named pipe or a device, whose
// opening could wait for ever; while a game plays, only one inside the folder that holds the game's
// folder (see GameFolder). Anything else counts as missing, so each caller gives its own message.
FILE* openGameFile(const char* sjisName);
// A whole game file's bytes; false when it cannot be opened or holds more than maxBytes, which is
// refused rather than read in part.
bool readGameFile(const char* sjisName, size_t maxBytes, std::vector<uint8_t>& out);
// The same for a file of the reader's own, named by its path: only a regular file, never more than
// maxBytes.
bool readWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out);
bool changeDirectory(const char* sjisName);
// Whether the file or folder that a name of the current folder stands for lies inside that folder,
// once every symbolic link on the way is followed.
bool leadsInsideCurrentFolder(const char* sjisName);

// Remembers the current folder and makes it current again when it goes out of scope. Going back by
// "..", from a folder reached through a symbolic link, would lead to the link target's parent instead.
class ReturnToFolder {
public:
    ReturnToFolder();
    ~ReturnToFolder();
    ReturnToFolder(const ReturnToFolder&) = delete;
    ReturnToFolder& operator=(const ReturnToFolder&) = delete;

private:
    int folder_;
};

// A game's own folder, current while the object lives. A game names its files relative to it, may
// reach one step up into the folder that holds it (games sharing a working folder do), and no further:
// an absolute name, or one that leads out of that folder, by "..\" or by a symbolic link, counts as
// missing. The folder itself may be a link (a reader's game on a disc), so the bounds are those of the
// folder the link leads to. A game folder may also be one inside an archive (archive_folder.h). When
// the object goes, the folder and the bounds before it come back.
class GameFolder {
public:
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;
    // False when the folder cannot be entered; until the object goes, no game file is found then.
    bool enter(const char* sjisName);

private:
    ReturnToFolder back_;
    bool wasConfined_;
    std::string bounds_;
    archive_folder::Place archivePlace_;
};

// Writes bytes as the game file name, whole or not at all: into a temporary file of the same folder,
// made new (whatever lay under its name, a file left by a save that was killed or a symbolic link, is
// removed, never written through), checked at every write and at the close, flushed to the disk, then
// renamed over the old file, and the folder flushed. False when any step before the rename fails; the
// old file is then exactly as it was.
bool replaceGameFile(const char* sjisName, const std::string& bytes);
// The same for a file of the reader's own, named by its path.
bool replaceFile(const std::string& path, const std::string& bytes);

// Makes folder and every missing folder above it. False, with errno set, at the first that cannot be
// made; failed then names it.
bool makeFolders(const std::string& folder, std::string& failed);

// a + "/" + b, without doubling a slash at the end of a.
std::string joinPath(const std::string& a, const std::string& b);

// A name for the current folder that tells it from every other: its own name and a hash of its physical
// path, so that the reader's files that go with a game (outside its folder) find it again.
std::string currentFolderKey();
bool removeGameFile(const char* sjisName);

// A directory search by name: true with the file's size when a regular file of that name exists.
bool findFile(const char* sjisName, uint32_t& size);

// Reads like fgets on a file opened in text mode on Windows: CR LF becomes LF and a byte 0x1A ends
// the file. Reads at most size - 1 bytes, stopping after a line feed. Returns the number of bytes
// stored (0 at the end of the file); the buffer is always terminated.
size_t readTextPiece(FILE* file, char* buffer, size_t size);

// A folder's entries as Windows lists them for a pattern ("*" or "*.ext", matched without regard to
// case), sorted by name without regard to case so that the order is the same on every machine.
// Names come in Shift-JIS where they can be written so, else as they are on disk.
struct FolderEntry {
    char name[256];
    bool directory;
    uint32_t size;
};

class FolderListing {
public:
    // Lists the current folder; false when it cannot be read.
    bool open(const char* pattern);
    bool next(FolderEntry& entry);

private:
    std::vector<FolderEntry> entries_;
    size_t next_ = 0;
};
