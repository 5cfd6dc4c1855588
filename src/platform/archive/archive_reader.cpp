#include "platform/archive/archive_reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "platform/files/name_spellings.h"
#include "platform/formats/content_hash.h"

namespace {

const size_t kBlockBytes = 65536;
const char* const kArchiveEndings[] = {".zip", ".lzh",     ".lha",  ".7z",     ".iso", ".tar",     ".tar.gz",
                                       ".tgz", ".tar.bz2", ".tbz2", ".tar.xz", ".txz", ".tar.zst", ".cab"};
const char kScriptEnding[] = ".zeb";

bool endsWith(const std::string& text, const char* ending) {
    std::string end = ending;
    return text.size() >= end.size() &&
           sameIgnoringAsciiCase(text.c_str() + text.size() - end.size(), ending);
}

// libarchive says what went wrong, most of the time.
std::string errorOf(archive* reader) {
    const char* error = archive_error_string(reader);
    return error ? error : "no reason given";
}

// libarchive writes the names it converts (an ISO's, a 7z's, an LZH's) in the charset of the thread's
// locale, which is plain ASCII unless something chose another: UTF-8 while an archive is read.
class Utf8Locale {
public:
    Utf8Locale()
        : utf8_(newlocale(LC_ALL_MASK, "C.UTF-8", nullptr)), before_(utf8_ ? uselocale(utf8_) : nullptr) {}
    ~Utf8Locale() {
        if (!utf8_) return;
        uselocale(before_);
        freelocale(utf8_);
    }
    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    locale_t utf8_;
    locale_t before_;
};

struct ArchiveCloser {
    void operator()(archive* reader) const { archive_read_free(reader); }
};

// Inside the archive or not at all: "./" and "//" are nothing (the archive's top is named ""), ".."
// and an absolute name (also a drive's) lead out.
bool insideName(const std::string& given, std::string& name) {
    if (given.empty() || given[0] == '/' || given[0] == '\\' || (given.size() > 1 && given[1] == ':'))
        return false;
    name.clear();
    std::string component;
    for (char c : given + "/") {
        if (c != '/') {
            component += c;
            continue;
        }
        if (component == "..") return false;
        if (!component.empty() && component != ".") name += (name.empty() ? "" : "/") + component;
        component.clear();
    }
    return true;
}

// The member's bytes, no more than it claims and than a game may hold, and their hash. They are kept
// when the member is small and the memory for them is not spent; otherwise they are only counted, and
// read again when the game opens the file.
bool readData(archive* reader, archive_entry* entry, uint64_t keepable, ArchiveMember& member,
              std::string& why) {
    bool claimed = archive_entry_size_is_set(entry);
    uint64_t claim = claimed ? static_cast<uint64_t>(archive_entry_size(entry)) : 0;
    if (claimed && claim > kLargestMemberBytes) {
        why = "claims " + std::to_string(claim) + " bytes for " + member.name +
              ", more than a game's files may hold";
        return false;
    }
    uint64_t keep = std::min(keepable, kLargestKeptMemberBytes);
    bool keeping = !claimed || claim <= keep;
    member.hash = kContentHashStart;
    uint8_t block[kBlockBytes];
    for (;;) {
        la_ssize_t got = archive_read_data(reader, block, sizeof block);
        if (got < 0) {
            why = "is damaged (" + errorOf(reader) + ")";
            return false;
        }
        if (got == 0) break;
        member.size += static_cast<uint64_t>(got);
        member.hash = contentHash(block, static_cast<size_t>(got), member.hash);
        if (member.size > kLargestMemberBytes || (claimed && member.size > claim)) {
            why = "holds more in " + member.name + " than it claims or a game's files may hold";
            return false;
        }
        keeping = keeping && member.size <= keep;
        if (keeping) member.bytes.insert(member.bytes.end(), block, block + got);
    }
    if (!keeping) std::vector<uint8_t>().swap(member.bytes);
    if (claimed && member.size != claim) {
        why = "claims " + std::to_string(claim) + " bytes for " + member.name + " but holds " +
              std::to_string(member.size);
        return false;
    }
    return true;
}

// The name as the archive holds it: a ZIP or LZH file from Japan holds Shift-JIS bytes, which are
// kept as they are, like names on disk; a name marked as Unicode comes in UTF-8.
std::string nameOf(archive_entry* entry) {
    const char* name = archive_entry_pathname(entry);
    if (!name) name = archive_entry_pathname_utf8(entry);
    return name ? name : "";
}

bool readMember(archive* reader, archive_entry* entry, uint64_t keepable, ArchiveMember& member,
                std::string& why) {
    std::string given = nameOf(entry);
    if (!insideName(given, member.name)) {
        why = "names a file outside itself (" + given + ")";
        return false;
    }
    if (archive_entry_hardlink(entry) || archive_entry_filetype(entry) == AE_IFLNK) {
        why = "holds a link (" + given + ")";
        return false;
    }
    member.folder = archive_entry_filetype(entry) == AE_IFDIR;
    if (member.name.empty() && !member.folder) {
        why = "holds a file without a name";
        return false;
    }
    if (!member.folder && archive_entry_filetype(entry) != AE_IFREG) {
        why = "holds something that is no file (" + given + ")";
        return false;
    }
    return member.folder || readData(reader, entry, keepable, member, why);
}

}  // namespace

bool isArchiveName(const std::string& path) {
    for (const char* ending : kArchiveEndings) {
        if (endsWith(path, ending)) return true;
    }
    return false;
}

namespace {

bool readMembers(archive* reader, std::vector<ArchiveMember>& members, std::string& why) {
    uint64_t total = 0, kept = 0;
    for (size_t ordinal = 0;; ++ordinal) {
        archive_entry* entry = nullptr;
        int status = archive_read_next_header(reader, &entry);
        if (status == ARCHIVE_EOF) break;
        if (status < ARCHIVE_WARN) {
            why = "is damaged (" + errorOf(reader) + ")";
            return false;
        }
        ArchiveMember member;
        member.ordinal = ordinal;
        if (!readMember(reader, entry, kLargestKeptBytes - kept, member, why)) return false;
        total += member.size;
        kept += member.bytes.size();
        if (total > kLargestArchiveBytes) {
            why = "holds more than " + std::to_string(kLargestArchiveBytes >> 30) + " GB";
            return false;
        }
        // A CD image names its top "."; it is the archive itself.
        if (!member.name.empty()) members.push_back(std::move(member));
    }
    if (members.empty()) {
        why = "is empty";
        return false;
    }
    return true;
}

// Every format and filter libarchive knows; LZH headers carry no charset: those of the games are
// Japanese Windows', code page 932.
std::unique_ptr<archive, ArchiveCloser> newReader() {
    std::unique_ptr<archive, ArchiveCloser> reader(archive_read_new());
    archive_read_support_filter_all(reader.get());
    archive_read_support_format_all(reader.get());
    archive_read_set_format_option(reader.get(), "lha", "hdrcharset", "CP932");
    return reader;
}

}  // namespace

namespace {

// Reads the members of the archive that open opens.
bool readOpened(const std::function<int(archive*)>& open, std::vector<ArchiveMember>& members,
                std::string& why) {
    members.clear();
    Utf8Locale names;
    std::unique_ptr<archive, ArchiveCloser> reader = newReader();
    if (open(reader.get()) != ARCHIVE_OK) {
        why = "cannot be read (" + errorOf(reader.get()) + ")";
        return false;
    }
    return readMembers(reader.get(), members, why);
}

}  // namespace

bool readArchive(const std::string& path, std::vector<ArchiveMember>& members, std::string& why) {
    auto open = [&path](archive* reader) {
        return archive_read_open_filename(reader, path.c_str(), kBlockBytes);
    };
    return readOpened(open, members, why);
}

bool readArchiveBytes(const void* bytes, size_t size, std::vector<ArchiveMember>& members, std::string& why) {
    auto open = [bytes, size](archive* reader) { return archive_read_open_memory(reader, bytes, size); };
    return readOpened(open, members, why);
}

bool readMemberAgain(const std::string& path, const ArchiveMember& member, const ByteSink& sink) {
    Utf8Locale names;
    std::unique_ptr<archive, ArchiveCloser> reader = newReader();
    if (archive_read_open_filename(reader.get(), path.c_str(), kBlockBytes) != ARCHIVE_OK) return false;
    archive_entry* entry = nullptr;
    for (size_t ordinal = 0; ordinal <= member.ordinal; ++ordinal) {
        if (archive_read_next_header(reader.get(), &entry) < ARCHIVE_WARN) return false;
    }
    uint64_t size = 0, hash = kContentHashStart;
    uint8_t block[kBlockBytes];
    for (la_ssize_t got; (got = archive_read_data(reader.get(), block, sizeof block)) != 0;) {
        if (got < 0) return false;
        size += static_cast<uint64_t>(got);
        if (size > member.size || !sink(block, static_cast<size_t>(got))) return false;
        hash = contentHash(block, static_cast<size_t>(got), hash);
    }
    return size == member.size && hash == member.hash;
}

bool findArchiveGame(const std::vector<ArchiveMember>& members, std::string& folder, std::string& script) {
    const ArchiveMember* best = nullptr;
    std::string bestFolder;
    for (const ArchiveMember& member : members) {
        if (member.folder || !endsWith(member.name, kScriptEnding)) continue;
        size_t slash = member.name.rfind('/');
        std::string where = slash == std::string::npos ? "" : member.name.substr(0, slash);
        auto depth = [](const std::string& name) { return std::count(name.begin(), name.end(), '/'); };
        if (!best || depth(member.name) < depth(best->name) ||
            (depth(member.name) == depth(best->name) && member.name < best->name)) {
            best = &member;
            bestFolder = where;
        }
    }
    if (!best) return false;
    folder = bestFolder;
    script = best->name.substr(bestFolder.empty() ? 0 : bestFolder.size() + 1);
    return true;
}
