// The story's text for the reader's tools, through the headless player: each wait's text on the
// clipboard, to every WebSocket client in order while another never reads and a third comes late, and
// to a voice, with the game's time, pictures and transcript as they are without them; a client closed
// once it is far behind; a port in use; a voice that fails. The real window's clipboard is in
// window_test.cpp.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "golden.h"
#include "platform/textout/private/websocket_server.h"
#include "test_support.h"
#include "text_client.h"

namespace {

const int kPages = 8;
const int kLateClientMs = 2000;
const int kAnswerMs = 5000;

// 夕暮れのおみくじ read to its end, as the demo's own test reads it, with a shot of every page; the
// reader may stop for a while in real time on the third page, where engine time stands still.
std::string omikujiReader(int sleepMs = 0) {
    std::string reader = "wait 9000\n";
    for (int page = 1; page <= kPages; ++page) {
        if (page == 3 && sleepMs) reader += "sleep " + std::to_string(sleepMs) + "\n";
        reader += "shot p" + std::to_string(page) + "\nclick 60 90\nwait 3000\n";
    }
    return reader;
}

// The trace's clipboard lines, each as "TIME TEXT", and the trace without them.
std::vector<std::string> clipboardOf(const std::string& trace, std::string& rest) {
    std::istringstream lines(trace);
    std::vector<std::string> clipboard;
    rest.clear();
    for (std::string line; std::getline(lines, line);) {
        size_t at = line.find(" clipboard ");
        if (at == std::string::npos) {
            rest += line + "\n";
        } else {
            clipboard.push_back(line.substr(0, at) + " " + line.substr(at + 11));
        }
    }
    return clipboard;
}

std::string textsOf(const std::vector<std::string>& clipboard) {
    std::string texts;
    for (const std::string& line : clipboard)
        texts += line.substr(line.find(' ') + 1) + "\n";
    return texts;
}

}  // namespace

// The player waits for its reader file, a pipe, which the client script writes once two clients are
// connected. The one that reads gets every text in order while the other never reads; a third, which
// connects while the reader stops on the third page, starts with that page's text. The game plays as it plays
// without them.
TEST(TextOut, EveryTextOfADemoGameGoesToTheClipboardAndToClientsWhileOneNeverReadsAndTheGameIsUnchanged) {
    if (!textClientInstalled()) GTEST_SKIP() << "python3-websockets is not installed";
    TempFolder alone, served;
    alone.copyDemoGame("omikuji");
    served.copyDemoGame("omikuji");
    RunResult plain = runHeadless(alone, omikujiReader());
    writeFile(served.file("reader.txt"), omikujiReader(kLateClientMs));
    ASSERT_EQ(mkfifo(served.file("reader.fifo").c_str(), 0600), 0);
    int port = freePort();
    std::string player = std::string(ZEBORA_BINARY) + " --headless --root '" + served.path() +
                         "' --reader '" + served.file("reader.fifo") + "' --shots '" + served.path() +
                         "' --trace '" + served.file("trace.txt") + "' --transcript '" +
                         served.file("transcript.txt") + "' --text-out clipboard,websocket --text-out-port " +
                         std::to_string(port) + " 2> '" + served.file("stderr.txt") + "'";
    std::string client = textClient(port) + " --stalled --late 3 --start '" + served.file("reader.fifo") +
                         "' '" + served.file("reader.txt") + "' > '" + served.file("texts.txt") + "'";
    ASSERT_EQ(std::system(("(" + player + " & " + client + "; wait)").c_str()), 0);

    std::string received = readFile(served.file("texts.txt"));
    size_t late = received.find("closed 1001\nlate\n");
    ASSERT_NE(late, std::string::npos) << received;
    std::string texts = received.substr(received.find('\n') + 1, late - received.find('\n') - 1);
    expectGoldenText("demo-omikuji-texts", texts);
    std::string third = "「小吉……。でも、悪くはないよ。」\n";
    EXPECT_EQ(received.substr(late + 17), texts.substr(texts.find(third)) + "closed 1001\n");
    std::string rest;
    std::vector<std::string> clipboard = clipboardOf(readFile(served.file("trace.txt")), rest);
    EXPECT_EQ(textsOf(clipboard), texts);  // no wait of this game shows two texts
    EXPECT_EQ(readFile(served.file("stderr.txt")), "");
    EXPECT_EQ(rest, plain.trace);
    EXPECT_EQ(readFile(served.file("transcript.txt")), plain.transcript);
    for (int page = 1; page <= kPages; ++page) {
        std::string shot = "p" + std::to_string(page) + ".png";
        EXPECT_EQ(readFile(served.file(shot)), readFile(alone.file(shot))) << shot;
    }
}

// A wait's texts reach the clipboard together: the line typed before a menu, then the menu's lines. A
// text keeps the line ends typed inside it, not those around it.
TEST(TextOut, AWaitsTextsReachTheClipboardTogetherAndATextKeepsItsLineEnds) {
    TempFolder root;
    root.writeGame("\\nあいう\\nえお\\n\\c\\n前の文@select(2,はい,a,いいえ,b);\n@name(a);\n@name(b);\n");
    RunResult run =
        runPlayerFrom(root.path(), root, "--text-out clipboard", "wait 3000\nclick 5 5\nwait 3000\n");
    std::string rest;
    std::vector<std::string> clipboard = clipboardOf(run.trace, rest);
    EXPECT_EQ(textsOf(clipboard), "あいう\\nえお\n前の文\\nはい\\nいいえ\n");
}

// Another program has the port: the player says so once and plays on.
TEST(TextOut, APortInUseIsSaidOnceAndTheGamePlaysOn) {
    int taken = 0;
    int holder = listenOnLoopback(taken);
    std::string port = std::to_string(taken);
    TempFolder alone, busy;
    alone.copyDemoGame("omikuji");
    busy.copyDemoGame("omikuji");
    RunResult plain = runHeadless(alone, omikujiReader());
    RunResult run = runPlayerFrom(busy.path(), busy,
                                  "--root '" + busy.path() + "' --text-out websocket --text-out-port " + port,
                                  omikujiReader());
    close(holder);
    EXPECT_EQ(run.errors, "zebora: cannot serve the text on ws://127.0.0.1:" + port +
                              ": the port is in use (--text-out-port chooses another)\n");
    EXPECT_EQ(run.transcript, plain.transcript);
}

// Texts of 2 KB, four times as many as the server keeps for a client: the client that reads gets each
// as it is sent; the one that never reads is closed once the whole list has passed it, and sending
// never waits for it.
TEST(TextOut, AClientThatNeverReadsIsClosedOnceFarBehindWhileAReadingClientGetsEveryText) {
    int port = freePort();
    std::unique_ptr<WebSocketServer> server = WebSocketServer::listen(port);
    ASSERT_TRUE(server);
    int reading = connectBareClient(port), stalled = connectBareClient(port);
    ASSERT_GE(reading, 0);
    ASSERT_GE(stalled, 0);
    const int texts = 4 * WebSocketServer::kKeptTexts;
    for (int number = 0; number < texts; ++number) {
        std::string text = std::to_string(number) + std::string(2000, '-'), got;
        server->send({text});
        ASSERT_TRUE(readMessage(reading, got, kAnswerMs)) << number;
        ASSERT_EQ(got, text);
    }
    int stalledGot = 0;
    for (std::string got; readMessage(stalled, got, kAnswerMs);)
        ++stalledGot;
    EXPECT_LT(stalledGot, texts - static_cast<int>(WebSocketServer::kKeptTexts));
    char byte = 0;
    EXPECT_LE(read(stalled, &byte, 1), 0) << "the stalled client is still connected";
    close(reading);
    close(stalled);
}

// The voice gets each wait's text on its standard input, one at a time: the reader stops for a second
// at each wait, long enough for the command to record it, and moving on ends a command that still
// speaks. One that fails is said once, and the game plays on.
TEST(TextOut, EachWaitsTextIsSpokenAndMovingOnEndsTheOneStillSpeakingAndAFailureIsSaidOnce) {
    const std::string script = "一つ目の文。\\c二つ目の\\n文。\\c";
    const std::string reader = "wait 3000\nsleep 1000\nclick 5 5\nwait 3000\nsleep 1000\n";
    struct Case {
        const char* command;  // REC stands for the record's name
        const char* recorded;
        const char* failure;
    };
    const Case cases[] = {
        {"cat >> REC; echo '|' >> REC", "一つ目の文。|\n二つ目の\n文。|\n", nullptr},
        {"cat >> REC; echo '|' >> REC; sleep 30; echo never >> REC", "一つ目の文。|\n二つ目の\n文。|\n",
         nullptr},
        {"echo tried >> REC; exit 3", "tried\ntried\n", "exit status 3"},
        {"no-such-voice", "", "exit status 127"},
    };
    RunResult plain = runScript(script, reader);
    for (const Case& each : cases) {
        TempFolder root;
        root.writeGame(script);
        std::string record = root.file("record.txt"), command = each.command;
        for (size_t at; (at = command.find("REC")) != std::string::npos;)
            command.replace(at, 3, "'" + record + "'");
        writeFile(root.file("speak.sh"), command);
        std::string speak = "sh " + root.file("speak.sh");
        RunResult run = runPlayerFrom(root.path(), root, "--speak '" + speak + "'", reader);
        EXPECT_EQ(readFile(record), each.recorded) << each.command;
        std::string failure = each.failure ? each.failure : "";
        EXPECT_EQ(run.errors, failure.empty()
                                  ? ""
                                  : "zebora: the speech command failed (" + failure + "): " + speak + "\n")
            << each.command;
        EXPECT_EQ(run.transcript, plain.transcript) << each.command;
    }
}
