#include "platform/textout/private/websocket_server.h"

#include <libwebsockets.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

const char kLoopback[] = "127.0.0.1";
const size_t kReceivedBytes = 1024;  // what a client sends is read only as far as the protocol needs
unsigned char kBehind[] = "too far behind";
unsigned char kGoingAway[] = "the player ends";
const auto kLastWrites = std::chrono::milliseconds(500);
// The system's buffer for a client holds a few dozen texts, not megabytes: beyond it, the list is where
// a client that does not read falls behind.
const int kSendBufferBytes = 16384;

int serveCallback(lws* wsi, lws_callback_reasons reason, void* user, void* in, size_t) {
    if (reason == LWS_CALLBACK_FILTER_NETWORK_CONNECTION) {
        int socket = static_cast<int>(reinterpret_cast<lws_intptr_t>(in));
        setsockopt(socket, SOL_SOCKET, SO_SNDBUF, &kSendBufferBytes, sizeof kSendBufferBytes);
        return 0;
    }
    auto* server = static_cast<WebSocketServer*>(lws_context_user(lws_get_context(wsi)));
    if (!server) return 0;
    return server->serve(wsi, reason, static_cast<WebSocketServer::Client*>(user));
}

const lws_protocols kProtocols[] = {
    {"zebora-text", serveCallback, sizeof(WebSocketServer::Client), kReceivedBytes, 0, nullptr, 0},
    {nullptr, nullptr, 0, 0, 0, nullptr, 0},
};

}  // namespace

std::unique_ptr<WebSocketServer> WebSocketServer::listen(int port) {
    static bool failureSaid = false;
    std::unique_ptr<WebSocketServer> server(new WebSocketServer);
    if (server->open(port)) return server;
    if (!failureSaid) {
        failureSaid = true;
        std::fprintf(stderr,
                     "zebora: cannot serve the text on ws://%s:%d: the port is in use (--text-out-port "
                     "chooses another)\n",
                     kLoopback, port);
    }
    return nullptr;
}

bool WebSocketServer::open(int port) {
    lws_set_log_level(0, nullptr);
    lws_context_creation_info info;
    std::memset(&info, 0, sizeof info);
    info.options = LWS_SERVER_OPTION_EXPLICIT_VHOSTS;
    info.port = CONTEXT_PORT_NO_LISTEN;
    info.user = this;
    context_ = lws_create_context(&info);
    info.port = port;
    info.iface = kLoopback;
    info.protocols = kProtocols;
    info.options = LWS_SERVER_OPTION_DISABLE_IPV6 | LWS_SERVER_OPTION_FAIL_UPON_UNABLE_TO_BIND;
    if (!context_ || !lws_create_vhost(context_, &info)) return false;
    thread_ = std::thread([this] {
        while (!stopping_)
            lws_service(context_, 0);
    });
    return true;
}

WebSocketServer::~WebSocketServer() {
    if (thread_.joinable()) {
        std::unique_lock<std::mutex> lock(mutex_);
        closing_ = true;
        lws_cancel_service(context_);
        allClosed_.wait_for(lock, kLastWrites, [this] { return clients_.empty(); });
    }
    stopping_ = true;
    if (thread_.joinable()) {
        lws_cancel_service(context_);
        thread_.join();
    }
    if (context_) lws_context_destroy(context_);
}

void WebSocketServer::send(const std::vector<std::string>& texts) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        shownFrom_ = firstNumber_ + kept_.size();
        for (const std::string& text : texts) {
            kept_.push_back(text);
            if (kept_.size() > kKeptTexts) {
                kept_.pop_front();
                ++firstNumber_;
            }
        }
    }
    lws_cancel_service(context_);
}

void WebSocketServer::showNothing() {
    std::lock_guard<std::mutex> lock(mutex_);
    shownFrom_ = firstNumber_ + kept_.size();
}

int WebSocketServer::serve(lws* wsi, int reason, Client* client) {
    switch (reason) {
        case LWS_CALLBACK_ESTABLISHED: {
            std::lock_guard<std::mutex> lock(mutex_);
            *client = {shownFrom_ < firstNumber_ ? firstNumber_ : shownFrom_};
            clients_.push_back(wsi);
            lws_callback_on_writable(wsi);
            return 0;
        }
        case LWS_CALLBACK_CLOSED: {
            std::lock_guard<std::mutex> lock(mutex_);
            clients_.erase(std::find(clients_.begin(), clients_.end(), wsi));
            if (clients_.empty()) allClosed_.notify_all();
            return 0;
        }
        case LWS_CALLBACK_EVENT_WAIT_CANCELLED:
            closeThoseTooFarBehind();
            lws_callback_on_writable_all_protocol(context_, &kProtocols[0]);
            return 0;
        case LWS_CALLBACK_SERVER_WRITEABLE:
            return write(wsi, *client) ? 0 : -1;
        case LWS_CALLBACK_HTTP:  // a page is nothing we serve
            return -1;
        default:
            return 0;
    }
}

// A client that never becomes writable again would never hear it from write(): it is ended from here.
void WebSocketServer::closeThoseTooFarBehind() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (lws* wsi : clients_) {
        if (tooFarBehind(*static_cast<Client*>(lws_wsi_user(wsi))))
            lws_set_timeout(wsi, PENDING_TIMEOUT_CLOSE_SEND, LWS_TO_KILL_ASYNC);
    }
}

// One text a turn, as libwebsockets asks; false closes the client.
bool WebSocketServer::write(lws* wsi, Client& client) {
    std::vector<unsigned char> frame(LWS_PRE);
    bool more = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        uint64_t end = firstNumber_ + kept_.size();
        if (tooFarBehind(client)) {
            lws_close_reason(wsi, LWS_CLOSE_STATUS_POLICY_VIOLATION, kBehind, sizeof kBehind - 1);
            return false;
        }
        if (client.next < firstNumber_) client.next = firstNumber_;
        if (client.next == end && closing_) {
            lws_close_reason(wsi, LWS_CLOSE_STATUS_GOINGAWAY, kGoingAway, sizeof kGoingAway - 1);
            return false;
        }
        if (client.next == end) return true;
        const std::string& text = kept_[client.next++ - firstNumber_];
        frame.insert(frame.end(), text.begin(), text.end());
        more = client.next < end;
    }
    size_t size = frame.size() - LWS_PRE;
    if (lws_write(wsi, frame.data() + LWS_PRE, size, LWS_WRITE_TEXT) < static_cast<int>(size)) return false;
    if (more) lws_callback_on_writable(wsi);
    return true;
}
