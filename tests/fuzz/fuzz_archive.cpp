// Game archives: whatever libarchive makes of the bytes, what is taken stays inside the archive (no
// absolute name, no "..", no link), within the limits, and the game found in it is one of its members.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/archive/archive_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<ArchiveMember> members;
    std::string why, folder, script;
    if (!readArchiveBytes(data, size, members, why)) return 0;
    uint64_t total = 0;
    for (const ArchiveMember& member : members) {
        const std::string& name = member.name;
        std::string path = "/" + name + "/";
        if (name.empty() || path.find("//") != std::string::npos || path.find("/../") != std::string::npos ||
            path.find("/./") != std::string::npos || member.size > kLargestMemberBytes ||
            member.bytes.size() > kLargestKeptMemberBytes)
            __builtin_trap();
        total += member.size;
    }
    if (total > kLargestArchiveBytes) __builtin_trap();
    if (findArchiveGame(members, folder, script)) {
        std::string path = folder.empty() ? script : folder + "/" + script;
        bool found = false;
        for (const ArchiveMember& member : members)
            found = found || member.name == path;
        if (!found) __builtin_trap();
    }
    return 0;
}
