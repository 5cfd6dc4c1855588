#include "platform/files/archive_folder.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/files/file_system.h"
#include "platform/files/name_spellings.h"
#include "platform/files/text_encoding.h"
#include "platform/formats/content_hash.h"

namespace {

struct MountedArchive {
    std::string path;
    std::vector<ArchiveMember> members;
    std::string readerFolder;
    std::string key;
    MemberReader readAgain;
};

MountedArchive g_archive;
archive_folder::Place g_place = {false, ""};

std::vector<std::string> componentsOf(const std::string& path) {
    std::vector<std::string> components;
    std::string component;
    for (char c : path + "/") {
        if (c != '/') {
            component += c;
        } else if (!component.empty()) {
            components.push_back(component);
            component.clear();
        }
    }
    return components;
}

std::string joined(const std::vector<std::string>& components) {
    std::string path;
    for (const std::string& component : components)
        path += (path.empty() ? "" : "/") + component;
    return path;
}

// The name of the child of folder, as the archive spells it, that a script's component stands for;
// empty when there is none. A folder may have no member of its own, only members below it.
std::string childNamed(const std::string& folder, const std::string& sjisComponent) {
    std::vector<std::string> spellings = nameSpellings(sjisComponent);
    std::string prefix = folder.empty() ? "" : folder + "/";
    for (const ArchiveMember& member : g_archive.members) {
        if (member.name.compare(0, prefix.size(), prefix) != 0) continue;
        std::string child = member.name.substr(prefix.size());
        child = child.substr(0, child.find('/'));
        if (!child.empty() && matchesASpelling(child, spellings)) return child;
    }
    return "";
}

const ArchiveMember* memberNamed(const std::string& name) {
    for (const ArchiveMember& member : g_archive.members) {
        if (member.name == name) return &member;
    }
    return nullptr;
}

std::string hexOf(uint64_t hash) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

}  // namespace

void mountArchive(const std::string& path, std::vector<ArchiveMember> members,
                  const std::string& readerFolders, MemberReader readAgain) {
    uint64_t hash = kContentHashStart;
    for (const ArchiveMember& member : members) {
        hash = contentHash(member.name.c_str(), member.name.size() + 1, hash);
        hash = contentHash(&member.hash, sizeof member.hash, hash);
    }
    std::string name = path.substr(path.rfind('/') + 1);
    if (!name.empty() && name[0] == '.') name[0] = '_';  // never a hidden folder
    g_archive = {path, std::move(members), "", name + "-" + hexOf(hash), std::move(readAgain)};
    if (!readerFolders.empty()) g_archive.readerFolder = joinPath(readerFolders, g_archive.key);
}

namespace archive_folder {

bool enter(const std::string& path) {
    const std::string& archive = g_archive.path;
    if (archive.empty() || path.compare(0, archive.size(), archive) != 0) return false;
    if (path.size() > archive.size() && path[archive.size()] != '/') return false;
    g_place = {true, joined(componentsOf(path.substr(archive.size())))};
    return true;
}

bool entered() {
    return g_place.entered;
}

Place place() {
    return g_place;
}

void restore(const Place& place) {
    g_place = place;
}

// A game reaches one step above its folder, as on disk, but never out of the archive.
const ArchiveMember* find(const char* sjisName) {
    if (sjisName[0] == '/' || sjisName[0] == '\\') return nullptr;
    std::vector<std::string> path = componentsOf(g_place.folder);
    size_t bounds = path.empty() ? 0 : path.size() - 1;
    std::string component;
    for (const char* p = sjisName;; ++p) {
        if (*p != '/' && *p != '\\' && *p != '\0') {
            component += *p;
            continue;
        }
        if (component == "..") {
            if (path.size() <= bounds) return nullptr;
            path.pop_back();
        } else if (!component.empty() && component != ".") {
            std::string child = childNamed(joined(path), component);
            if (child.empty()) return nullptr;
            path.push_back(child);
        }
        component.clear();
        if (*p == '\0') break;
    }
    const ArchiveMember* member = memberNamed(joined(path));
    return member && !member->folder ? member : nullptr;
}

bool readMember(const ArchiveMember& member, const ByteSink& sink) {
    if (member.kept()) return sink(member.bytes.data(), member.bytes.size());
    return g_archive.readAgain && g_archive.readAgain(member, sink);
}

std::vector<Entry> list() {
    std::string prefix = g_place.folder.empty() ? "" : g_place.folder + "/";
    std::vector<Entry> entries;
    for (const ArchiveMember& member : g_archive.members) {
        if (member.name.compare(0, prefix.size(), prefix) != 0 || member.name.size() == prefix.size())
            continue;
        std::string rest = member.name.substr(prefix.size());
        size_t slash = rest.find('/');
        Entry entry = {rest.substr(0, slash), member.folder || slash != std::string::npos,
                       static_cast<uint32_t>(member.size)};
        auto same = [&](const Entry& other) { return other.name == entry.name; };
        if (std::find_if(entries.begin(), entries.end(), same) == entries.end()) entries.push_back(entry);
    }
    return entries;
}

std::string readerFile(const char* sjisName) {
    std::string name = nameToUtf8(sjisName);
    if (g_archive.readerFolder.empty() || name.find_first_of("/\\") != std::string::npos || name.empty() ||
        name == "." || name == "..")
        return "";
    return joinPath(g_archive.readerFolder, name);
}

bool makeReaderFolder() {
    std::string failed;
    return !g_archive.readerFolder.empty() && makeFolders(g_archive.readerFolder, failed);
}

const std::string& key() {
    return g_archive.key;
}

}  // namespace archive_folder
