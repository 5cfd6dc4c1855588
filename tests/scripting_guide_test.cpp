// doc/scripting.md, the guide for authors and translators, held to the engine: its reference has every
// command of the table and no other, it quotes only the engine's own messages and every usage the
// commands say, and its example games play to their end and check clean.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "commands/command_rows.h"
#include "platform/files/text_encoding.h"
#include "test_support.h"

namespace {

struct Example {
    std::string name;
    std::string script;
};

// The guide read once: its ```zeb NAME blocks, and every other line.
struct Guide {
    std::vector<Example> examples;
    std::vector<std::string> prose;
};

Guide readGuide() {
    std::istringstream lines(readFile(std::string(ZEBORA_SOURCE_DIR) + "/doc/scripting.md"));
    Guide guide;
    std::string line;
    bool fenced = false, example = false;
    while (std::getline(lines, line)) {
        if (line.rfind("```", 0) == 0) {
            fenced = !fenced;
            example = fenced && line.rfind("```zeb ", 0) == 0;
            if (example) guide.examples.push_back({line.substr(7), ""});
        } else if (example) {
            guide.examples.back().script += line + "\n";
        } else if (!fenced) {
            guide.prose.push_back(line);
        }
    }
    return guide;
}

std::string withoutBackquotes(const std::string& cell) {
    size_t first = cell.find_first_not_of(" `"), last = cell.find_last_not_of(" `");
    return first == std::string::npos ? "" : cell.substr(first, last - first + 1);
}

// The first cells of the tables headed "Message" or "Warning".
std::vector<std::string> quotedMessages(const Guide& guide) {
    std::vector<std::string> messages;
    bool inTable = false;
    for (const std::string& line : guide.prose) {
        if (line.rfind("| Message |", 0) == 0 || line.rfind("| Warning |", 0) == 0) {
            inTable = true;
        } else if (line.rfind("|", 0) != 0) {
            inTable = false;
        } else if (inTable && line.rfind("|---", 0) != 0) {
            messages.push_back(withoutBackquotes(line.substr(1, line.find('|', 1) - 1)));
        }
    }
    return messages;
}

// The commands the prose's inline code names: the letters after an '@' that starts a span.
std::vector<std::string> namedCommands(const Guide& guide) {
    std::vector<std::string> names;
    for (const std::string& line : guide.prose) {
        for (size_t open = line.find('`'); open != std::string::npos; open = line.find('`', open + 1)) {
            size_t close = line.find('`', open + 1);
            if (close == std::string::npos) break;
            size_t end = open + 2;
            while (end < close && std::islower(static_cast<unsigned char>(line[end])))
                ++end;
            if (line[open + 1] == '@' && end > open + 2)
                names.push_back(line.substr(open + 2, end - open - 2));
            open = close;
        }
    }
    return names;
}

// Every string literal of the engine's sources, adjacent ones joined as the compiler joins them, with
// the escapes the messages use read.
std::set<std::string> sourceLiterals() {
    std::set<std::string> literals;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ZEBORA_SOURCE_DIR "/src")) {
        std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h") continue;
        std::string code = readFile(entry.path().string()), literal;
        bool joining = false;
        for (size_t i = 0; i < code.size(); ++i) {
            if (code.compare(i, 2, "//") == 0 || code.compare(i, 2, "/*") == 0) {
                bool line = code[i + 1] == '/';
                size_t end = code.find(line ? "\n" : "*/", i);
                if (end == std::string::npos) break;
                i = line ? end : end + 1;
            } else if (code[i] == '\'') {
                i += code[i + 1] == '\\' ? 3 : 2;
            } else if (code[i] == '"') {
                for (++i; i < code.size() && code[i] != '"'; ++i) {
                    bool escaped = code[i] == '\\';
                    if (escaped) ++i;
                    literal += escaped && code[i] == 'n' ? '\n' : code[i];
                }
                joining = true;
            } else if (joining && !std::isspace(static_cast<unsigned char>(code[i]))) {
                literals.insert(literal);
                literal.clear();
                joining = false;
            }
        }
    }
    return literals;
}

// What a command's check says first.
class FirstProblem : public CommandCheck {
public:
    bool problem(const char* sjisMessage) override {
        if (sjisMessage && said.empty()) {
            char text[4096];
            sjisToUtf8(sjisMessage, text, sizeof text);
            said = text;
        }
        return sjisMessage != nullptr;
    }
    void warning(const char*) override {}
    void jumpsTo(const char*) override {}
    std::string said;
};

}  // namespace

TEST(ScriptingGuide, ItsReferenceHasEveryCommandAndNoOther) {
    Guide guide = readGuide();
    std::set<std::string> headings(guide.prose.begin(), guide.prose.end()), rows;
    for (int i = 0; i < kCommandRowCount; ++i) {
        rows.insert(kCommandRows[i].name);
        EXPECT_EQ(headings.count(std::string("### `") + kCommandRows[i].name + "`"), 1u)
            << kCommandRows[i].name;
    }
    for (const std::string& name : namedCommands(guide))
        EXPECT_EQ(rows.count(name), 1u) << "@" << name;
}

// A message quoted is one the engine has, word for word; and every command's usage, what it says
// without its arguments, is quoted.
TEST(ScriptingGuide, ItQuotesTheEnginesOwnMessagesAndEveryUsage) {
    Guide guide = readGuide();
    std::vector<std::string> quoted = quotedMessages(guide);
    std::set<std::string> literals = sourceLiterals(), quotedSet(quoted.begin(), quoted.end());
    EXPECT_GT(quoted.size(), 60u);
    for (const std::string& message : quoted)
        EXPECT_EQ(literals.count(message), 1u) << message;
    for (int i = 0; i < kCommandRowCount; ++i) {
        if (!kCommandRows[i].check) continue;
        FirstProblem usage;
        kCommandRows[i].check("", usage);
        EXPECT_EQ(quotedSet.count(usage.said), 1u) << kCommandRows[i].name << ": " << usage.said;
    }
}

// Each example is a whole game: played with the demo game's files by a reader who clicks at one point
// until it ends, it ends with no message, and --check finds nothing to say of it.
TEST(ScriptingGuide, ItsExampleGamesPlayToTheirEndAndCheckClean) {
    const struct {
        std::string name;
        std::string click;  // where the reader clicks: on the waits, the choices and menus it picks
    } readers[] = {
        {"first", "320 240"}, {"text", "320 240"},     {"translation", "60 30"}, {"choices", "60 60"},
        {"title", "270 310"}, {"pictures", "320 240"}, {"effects", "320 240"},
    };
    Guide guide = readGuide();
    ASSERT_EQ(guide.examples.size(), std::size(readers));
    for (const Example& example : guide.examples) {
        const auto* reader = std::find_if(std::begin(readers), std::end(readers),
                                          [&](const auto& r) { return r.name == example.name; });
        ASSERT_NE(reader, std::end(readers)) << example.name;
        TempFolder root;
        root.copyDemoGame("hanami");
        writeFile(root.file("hanami/story.zeb"), toSjis(example.script));
        RunResult run =
            runHeadless(root, repeat("wait 2500\nclick " + reader->click + "\n", 12) + "shot unfinished\n");
        EXPECT_EQ(run.status, 1) << example.name;
        EXPECT_EQ(run.errors, "") << example.name;
        EXPECT_TRUE(readFile(root.file("unfinished.png")).empty())
            << example.name << " did not reach its end";
        EXPECT_EQ(commandOutput(std::string(ZEBORA_BINARY) + " --check '" + root.file("hanami") +
                                "' 2>&1; echo status $?"),
                  "status 0\n")
            << example.name;
    }
}
