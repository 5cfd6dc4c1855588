// A game archive as readers pass them around (ZIP, LZH, 7z, a CD's ISO image, tar), read through
// libarchive, without a byte of it written to disk: its small files are kept in memory, its large
// ones read again when they are opened. An archive is refused whole when
// it is damaged, claims more than it holds or more than a game may, or names anything outside itself:
// an absolute name, "..", a link or a device.
#pragma once
#include <string>
#include <vector>

#include "platform/files/archive_folder.h"

// Whether a path names an archive by its ending (.zip, .lzh, .lha, .7z, .iso, .tar, .tar.gz, …).
bool isArchiveName(const std::string& path);

// Every member of the archive; false with why (a phrase that follows "the archive …") when it is
// refused.
bool readArchive(const std::string& path, std::vector<ArchiveMember>& members, std::string& why);
// The same for an archive's bytes in memory.
bool readArchiveBytes(const void* bytes, size_t size, std::vector<ArchiveMember>& members, std::string& why);

// The archive's first folder that holds a .zeb script, the shallowest first and in name order (""
// for its top), and the first script there in name order; false when it holds none.
bool findArchiveGame(const std::vector<ArchiveMember>& members, std::string& folder, std::string& script);

// Reads a member that was not kept from the archive again (archive_folder.h's MemberReader); false
// when it cannot be read or is no longer what it was.
bool readMemberAgain(const std::string& path, const ArchiveMember& member, const ByteSink& sink);

// How much a game's archive may unpack to, any one of its files, and what is kept in memory: files up
// to a few megabytes (scripts, pictures, music), as long as the memory for them lasts.
const uint64_t kLargestArchiveBytes = 4ull << 30;
const uint64_t kLargestMemberBytes = 256ull << 20;
const uint64_t kLargestKeptMemberBytes = 4ull << 20;
const uint64_t kLargestKeptBytes = 1ull << 30;
