// Serves each text of the story as one WebSocket text message to every client connected to
// ws://127.0.0.1:PORT, as texthooker pages expect. libwebsockets runs on a thread of its own; the engine
// only appends texts to a short list and wakes it. Each client reads the list at its own pace from where
// it stands, so the list is its queue: one that falls behind the list loses the oldest texts, and one
// that the list has passed by its whole length is closed. A client that does not read costs the game
// nothing.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct lws;
struct lws_context;

class WebSocketServer {
public:
    // Listens on the loopback address alone; null when the port cannot be listened on, which is said
    // on stderr (once in the life of the process).
    static std::unique_ptr<WebSocketServer> listen(int port);
    // Every client gets what it still has to get, for a moment at most, and is closed as the server
    // goes away.
    ~WebSocketServer();
    WebSocketServer(const WebSocketServer&) = delete;
    WebSocketServer& operator=(const WebSocketServer&) = delete;

    // The texts of one wait, sent in order; a client that connects later starts with them.
    void send(const std::vector<std::string>& texts);
    // The game has ended: a client that connects now starts with the next text.
    void showNothing();

    // How many texts a client may stand behind before it loses the oldest.
    static const size_t kKeptTexts = 64;

    // libwebsockets' events on the server's thread; client is the connection's own record: the number
    // of the next text it gets.
    struct Client {
        uint64_t next;
    };
    int serve(lws* wsi, int reason, Client* client);

private:
    WebSocketServer() = default;
    bool open(int port);
    bool write(lws* wsi, Client& client);
    bool tooFarBehind(const Client& client) const { return client.next + kKeptTexts <= firstNumber_; }
    void closeThoseTooFarBehind();

    lws_context* context_ = nullptr;
    std::mutex mutex_;
    std::deque<std::string> kept_;  // the last texts, numbered from firstNumber_
    uint64_t firstNumber_ = 0;
    uint64_t shownFrom_ = 0;     // the first text of the latest wait
    std::vector<lws*> clients_;  // touched by the server's thread alone, but counted under the lock
    bool closing_ = false;
    std::condition_variable allClosed_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
