// Games as readers pass them around: ZIP and LZH archives with Shift-JIS names, 7z files and CD images,
// played from memory to their ends, with bookmarks that come back on the next run and the archive's own
// folder unchanged; hostile archives refused whole before anything opens, and nothing of them written; a game
// folder whose Japanese names an unpacking tool mangled.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "golden.h"
#include "platform/archive/archive_reader.h"
#include "test_support.h"

namespace {

const char kMakeArchives[] = ZEBORA_SOURCE_DIR "/tests/make_archives.py";
const char kOmikuji[] = ZEBORA_SOURCE_DIR "/games/omikuji";
const char kSave[] = "250 200", kLoad[] = "250 230", kFirstBookmark[] = "300 100", kYes[] = "290 270";

std::string makeArchives(const std::string& what, const std::string& out) {
    return std::string(kDebianPython) + " '" + kMakeArchives + "' " + what + " '" + kOmikuji + "' '" + out +
           "'";
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code none;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, none))
        names.push_back(entry.path().lexically_relative(folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string click(const char* at, int thenMs = 1500) {
    return std::string("click ") + at + "\nwait " + std::to_string(thenMs) + "\n";
}

}  // namespace

// 夕暮れのおみくじ in a folder of its Japanese name, zipped as Japanese Windows zips, packed by
// jlha-utils, in a 7z file and on a CD's image: read to its end as the bundled game reads, saved in one
// run and loaded in the next.
TEST(GameArchives, EachKindPlaysToItsEndAndItsBookmarksComeBackOutsideIt) {
    TempFolder root, shelf, data;
    EnvironmentVariable dataHome("XDG_DATA_HOME", data.path().c_str());
    ASSERT_EQ(std::system(makeArchives("game", shelf.path()).c_str()), 0);
    std::vector<std::string> shelved = namesIn(shelf.path());
    const std::vector<std::string> archives = {"game.7z", "game.iso", "game.lzh", "game.zip"};
    for (const std::string& archive : archives) {
        if (!std::filesystem::exists(shelf.file(archive))) {
            ADD_FAILURE() << archive << " was not made (are jlha-utils and libarchive-tools installed?)";
            continue;
        }
        std::string play = "--root '" + root.path() + "' '" + shelf.file(archive) + "'";
        std::string reader = "wait 9000\n";
        for (int page = 1; page <= 8; ++page)
            reader += "click 60 90\nwait 3000\n";
        RunResult run = runPlayerFrom(root.path(), root, play, reader + "shot unfinished\n");
        EXPECT_EQ(run.errors, "") << archive;
        EXPECT_NE(run.trace.find("window title 夕暮れのおみくじ - Ｚｅｂｏｒａ"), std::string::npos)
            << run.trace;
        expectGoldenText("demo-omikuji", run.transcript);
        EXPECT_FALSE(std::filesystem::exists(root.file("unfinished.png")))
            << archive << " did not reach its end";
        RunResult checked = runPlayerFrom(root.path(), root, "--check '" + shelf.file(archive) + "'", "");
        EXPECT_EQ(checked.status, 0) << archive << checked.errors;

        RunResult saved =
            runPlayerFrom(root.path(), root, play,
                          "wait 9000\nrclick 5 5\nwait 1500\n" + click(kSave) + click(kFirstBookmark));
        EXPECT_NE(saved.trace.find("save 0: wait kind 0"), std::string::npos) << saved.trace;
        RunResult loaded = runPlayerFrom(
            root.path(), root, play,
            "wait 9000\nrclick 5 5\nwait 1500\n" + click(kLoad) + click(kFirstBookmark) + click(kYes, 3000));
        EXPECT_NE(loaded.trace.find("load 0: wait kind 0"), std::string::npos) << loaded.trace;
    }
    // The bookmarks lie in a folder of the reader's for each archive, and nothing was added to the
    // archives' folder.
    std::vector<std::string> kept = namesIn(data.file("zebora/archives"));
    ASSERT_EQ(kept.size(), 2 * archives.size()) << ::testing::PrintToString(kept);
    std::vector<std::string> read = namesIn(data.file("zebora/read"));
    ASSERT_EQ(read.size(), archives.size()) << ::testing::PrintToString(read);
    for (size_t at = 0; at < archives.size(); ++at) {
        EXPECT_EQ(kept[2 * at].rfind(archives[at] + "-", 0), 0u) << kept[2 * at];
        EXPECT_EQ(kept[2 * at + 1], kept[2 * at] + "/save_0.dat");
        EXPECT_EQ(read[at], kept[2 * at] + ".dat");  // the record of what was read, by the same name
    }
    EXPECT_EQ(namesIn(shelf.path()), shelved);
}

// Each is refused whole, with its reason, before any window would open, by the player and by --check;
// nothing of it is written anywhere.
TEST(GameArchives, AnArchiveThatLiesOrHoldsNoGameIsRefusedWholeAndNothingOfItIsWritten) {
    TempFolder root, shelf, data;
    EnvironmentVariable dataHome("XDG_DATA_HOME", data.file("home").c_str());
    ASSERT_EQ(std::system(makeArchives("hostile", shelf.path()).c_str()), 0);
    const struct {
        const char* archive;
        const char* refusal;
    } cases[] = {
        {"up.zip", "names a file outside itself (../evil.zeb)"},
        {"absolute.zip", "names a file outside itself (/tmp/evil.zeb)"},
        {"link.tar", "holds a link (game/shrine.bmp)"},
        {"huge.zip", "claims 4026531840 bytes for game/story.zeb, more than a game's files may hold"},
        {"cut.zip", "is damaged (Truncated ZIP file data)"},
        {"nogame.zip", "holds no .zeb script"},
    };
    std::vector<std::string> shelved = namesIn(shelf.path());
    for (const auto& each : cases) {
        std::string path = shelf.file(each.archive);
        std::string said = "zebora: " + path + ": the archive " + each.refusal + "\n";
        RunResult run = runPlayerFrom(root.path(), root, "--root '" + root.path() + "' '" + path + "'", "");
        EXPECT_EQ(run.status, 1) << each.archive;
        EXPECT_EQ(run.errors, said);
        EXPECT_EQ(run.trace, "") << each.archive << ": the player went on";
        RunResult checked = runPlayerFrom(root.path(), root, "--check '" + path + "'", "");
        EXPECT_EQ(checked.errors, said);
    }
    EXPECT_FALSE(std::filesystem::exists(data.file("home")));
    EXPECT_EQ(namesIn(shelf.path()), shelved);
}

// The script names 夕日.bmp; on disk the name is as a tool wrote it after reading the Shift-JIS bytes
// as CP437 ("ù[ô·.bmp") or as Windows-1252 ("—[“ú.bmp"), and the folder's name too. The picture shows
// as it does under its own name.
TEST(GameArchives, AGameFolderWhoseNamesAToolMisreadPlaysAsItIs) {
    const std::string script = "@plload(夕日.bmp);@bgload(夕日.bmp,0,0);夕日。\\c";
    TempFolder proper;
    proper.writeGameFolder("夕日", script);
    writeFile(proper.file("夕日/夕日.bmp"), readFile(std::string(kOmikuji) + "/shrine.bmp"));
    writeFile(proper.file("start.dat"), toSjis("夕日 story.zeb\n"));
    RunResult expected = runHeadless(proper, "wait 3000\nshot page\n");
    ASSERT_EQ(expected.errors, "");
    std::string misread = commandOutput(std::string(kDebianPython) + " '" + kMakeArchives + "' misread 夕日");
    for (size_t end; (end = misread.find('\n')) != std::string::npos; misread.erase(0, end + 1)) {
        std::string name = misread.substr(0, end);
        TempFolder mangled;
        mangled.writeGameFolder(name, script);
        writeFile(mangled.file(name + "/" + name + ".bmp"), readFile(std::string(kOmikuji) + "/shrine.bmp"));
        writeFile(mangled.file("start.dat"), toSjis("夕日 story.zeb\n"));
        RunResult run = runHeadless(mangled, "wait 3000\nshot page\n");
        EXPECT_EQ(run.errors, "") << name;
        EXPECT_EQ(readFile(mangled.file("page.png")), readFile(proper.file("page.png"))) << name;
    }
}

// Two minutes of sound is more than the archive keeps in memory: it is read from the archive each time
// the game opens it, from a ZIP and from a compressed tar alike, as from a folder. Once the archive
// has changed since it was read, the file is no longer given out as it now is.
TEST(GameArchives, ALargeFileIsReadFromTheArchiveWhenItIsOpenedAndNotOnceTheArchiveHasChanged) {
    TempFolder root, shelf, data;
    EnvironmentVariable dataHome("XDG_DATA_HOME", data.path().c_str());
    ASSERT_EQ(std::system((std::string(kDebianPython) + " '" + kMakeArchives +
                           "' large '@sound(big.wav,0,0,0);音。\\c' '" + shelf.path() + "'")
                              .c_str()),
              0);
    auto play = [&](const std::string& game) {
        return runPlayerFrom(root.path(), root, "--root '" + root.path() + "' '" + shelf.file(game) + "'",
                             "wait 3000\n");
    };
    RunResult folder = play("large/game");
    ASSERT_NE(folder.trace.find("wave load 0: 22050 Hz, 16 bits, 1 channels, 2646000 frames"),
              std::string::npos)
        << folder.trace << folder.errors;
    for (const char* archive : {"large.zip", "large.tar.gz"})
        EXPECT_EQ(play(archive).trace, folder.trace) << archive;

    std::vector<ArchiveMember> members;
    std::string why, again;
    ASSERT_TRUE(readArchive(shelf.file("large.zip"), members, why)) << why;
    ASSERT_EQ(members.size(), 2u);
    const ArchiveMember& wave = members[0].name == "game/big.wav" ? members[0] : members[1];
    EXPECT_TRUE(wave.bytes.empty());
    EXPECT_FALSE(wave.kept());
    auto keep = [&again](const uint8_t* bytes, size_t size) {
        again.append(reinterpret_cast<const char*>(bytes), size);
        return true;
    };
    EXPECT_TRUE(readMemberAgain(shelf.file("large.zip"), wave, keep));
    EXPECT_EQ(again, readFile(shelf.file("large/game/big.wav")));
    std::filesystem::copy_file(shelf.file("changed.zip"), shelf.file("large.zip"),
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_FALSE(readMemberAgain(shelf.file("large.zip"), wave, keep));
}
