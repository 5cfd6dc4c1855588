// What the desktop learns of the player: the desktop entry, the MIME type of the scripts and the
// AppStream metadata, each passed by the desktop's own validator, and a .zeb file known as a script.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "test_support.h"

namespace {

const std::string kResources = std::string(ZEBORA_SOURCE_DIR) + "/resources/";
const char kScriptType[] = "text/x-zebora-script";

// What a validator says of a file, and its status.
std::string validate(const std::string& command, const std::string& file) {
    return commandOutput(command + " '" + kResources + file + "' 2>&1; echo status $?");
}

}  // namespace

// The entry opens what it is given (%f): a script, a game folder or an archive a game came in.
TEST(DesktopFiles, TheEntryIsValidAndOpensScriptsFoldersAndArchives) {
    std::string entry = readFile(kResources + "zebora.desktop");
    EXPECT_NE(entry.find("\nExec=zebora %f\n"), std::string::npos);
    for (const char* type :
         {kScriptType, "inode/directory", "application/zip", "application/x-lzh-compressed",
          "application/x-7z-compressed", "application/x-iso9660-image", "application/x-tar",
          "application/x-xz-compressed-tar"})
        EXPECT_NE(entry.find(std::string(type) + ";"), std::string::npos) << type;
    if (!programInstalled("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is not installed";
    EXPECT_EQ(validate("desktop-file-validate", "zebora.desktop"), "status 0\n");
}

// Installed into a MIME database of its own, the type takes every *.zeb file.
TEST(DesktopFiles, TheMimeTypeTakesEveryZebFile) {
    if (!programInstalled("update-mime-database")) GTEST_SKIP() << "shared-mime-info is not installed";
    TempFolder share;
    ASSERT_EQ(mkdir(share.file("mime").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(share.file("mime/packages").c_str(), 0755), 0);
    writeFile(share.file("mime/packages/zebora.xml"), readFile(kResources + "zebora-mime.xml"));
    commandOutput("update-mime-database '" + share.file("mime") + "' 2>&1");
    EXPECT_NE(readFile(share.file("mime/globs2")).find(std::string(":") + kScriptType + ":*.zeb\n"),
              std::string::npos);
}

TEST(DesktopFiles, TheMetadataIsValidAndLaunchesTheEntry) {
    const std::string metadata = "io.github.zebora.Zebora.metainfo.xml";
    EXPECT_NE(
        readFile(kResources + metadata).find("<launchable type=\"desktop-id\">zebora.desktop</launchable>"),
        std::string::npos);
    if (!programInstalled("appstreamcli")) GTEST_SKIP() << "appstream is not installed";
    std::string said = validate("appstreamcli validate --no-net", metadata);
    EXPECT_NE(said.find("status 0\n"), std::string::npos) << said;
}
