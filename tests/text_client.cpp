#include "text_client.h"

#include "test_support.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

const char kHandshake[] =
    "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
    "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
const int kCloseFrame = 8;

sockaddr_in loopback(int port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

bool readExactly(int client, void* into, size_t size, int timeoutMs) {
    auto* bytes = static_cast<char*>(into);
    for (size_t done = 0; done < size;) {
        pollfd ready = {client, POLLIN, 0};
        if (poll(&ready, 1, timeoutMs) != 1) return false;
        ssize_t got = read(client, bytes + done, size - done);
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

}  // namespace

bool textClientInstalled() {
    return std::system((std::string(kDebianPython) + " -c 'import websockets' 2>/dev/null").c_str()) == 0;
}

int listenOnLoopback(int& port) {
    int listening = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    bind(listening, reinterpret_cast<sockaddr*>(&address), size);
    listen(listening, 1);
    getsockname(listening, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return listening;
}

int freePort() {
    int port = 0;
    close(listenOnLoopback(port));
    return port;
}

std::string textClient(int port) {
    return std::string(kDebianPython) + " '" + ZEBORA_SOURCE_DIR + "/tests/text_client.py' " +
           std::to_string(port);
}

int connectBareClient(int port) {
    int client = socket(AF_INET, SOCK_STREAM, 0);
    int smallest = 1;
    setsockopt(client, SOL_SOCKET, SO_RCVBUF, &smallest, sizeof smallest);
    sockaddr_in address = loopback(port);
    std::string answer;
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        write(client, kHandshake, sizeof kHandshake - 1) == static_cast<ssize_t>(sizeof kHandshake - 1)) {
        char byte = 0;
        while (answer.find("\r\n\r\n") == std::string::npos && readExactly(client, &byte, 1, 5000))
            answer += byte;
    }
    if (answer.rfind("HTTP/1.1 101", 0) == 0) return client;
    close(client);
    return -1;
}

// A server's frames are never masked; a text longer than 64 KB is none of ours.
bool readMessage(int client, std::string& text, int timeoutMs) {
    uint8_t head[2];
    if (!readExactly(client, head, 2, timeoutMs)) return false;
    size_t size = head[1] & 0x7F;
    if (size == 126) {
        uint8_t longer[2];
        if (!readExactly(client, longer, 2, timeoutMs)) return false;
        size = static_cast<size_t>(longer[0] << 8 | longer[1]);
    } else if (size == 127) {
        return false;
    }
    text.assign(size, '\0');
    if (size > 0 && !readExactly(client, &text[0], size, timeoutMs)) return false;
    return (head[0] & 0x0F) != kCloseFrame;
}
