// What each text output adds to a text of the story while the reader fast-forwards: a line of the
// demo game typed character by character, its line end and its wait, with no output, with the
// clipboard (of the window system the benchmarks use), with the WebSocket and one client that reads
// everything or one that never reads, and with a voice that reads its input and says nothing.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "bench_support.h"
#include "platform/files/text_encoding.h"
#include "platform/platform_options.h"
#include "platform/textout/text_outputs.h"
#include "platform/textout/text_stream.h"
#include "text_client.h"

namespace {

enum Output { NONE, CLIPBOARD, WEBSOCKET_READ, WEBSOCKET_UNREAD, VOICE };
const char* const kOutputNames[] = {"no output", "clipboard", "WebSocket, a client reading",
                                    "WebSocket, a client never reading", "voice (cat > /dev/null)"};
const char kLine[] =
    "「もう一回引いてもいいよ。」あと何回か引けるらしい。がらがらと箱を振ると、一本の棒が出てきた。";
const int kReadTimeoutMs = 100;

void BM_TextOutPerText(benchmark::State& state) {
    if (!useBenchWindowSystem()) {
        state.SkipWithError("no window");
        return;
    }
    auto output = static_cast<Output>(state.range(0));
    PlatformOptions options;
    options.textOutPort = freePort();
    if (output == CLIPBOARD) options.textOutputs = kClipboardOutput;
    if (output == WEBSOCKET_READ || output == WEBSOCKET_UNREAD) options.textOutputs = kWebSocketOutput;
    if (output == VOICE) options.speakCommand = "cat > /dev/null";
    startTextOutputs(options);
    int client = options.textOutputs == kWebSocketOutput ? connectBareClient(options.textOutPort) : -1;
    std::atomic<bool> done{false};
    std::thread reading([&] {
        std::string text;
        while (output == WEBSOCKET_READ && !done)
            readMessage(client, text, kReadTimeoutMs);
    });
    std::string sjis = utf8ToSjisLenient(kLine);
    streamGameRuns(true);
    for (auto _ : state) {
        for (size_t at = 0; at < sjis.size(); at += 2)
            streamCharacters(&sjis[at], 2);
        streamLineEnd();
        streamWait();
    }
    streamGameRuns(false);
    stopTextOutputs();
    done = true;
    reading.join();
    if (client >= 0) close(client);
    state.SetLabel(std::string(kOutputNames[output]) + ", " + benchWindowSystemName());
}

}  // namespace

BENCHMARK(BM_TextOutPerText)->DenseRange(NONE, VOICE)->Unit(benchmark::kMicrosecond);
