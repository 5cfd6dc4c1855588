// The texthooker's side of the text's WebSocket: text_client.py, run by Debian's python3 with its
// python3-websockets; a bare client of our own that reads only when asked; and ports of the loopback
// address for the player to serve on.
#pragma once
#include <string>

bool textClientInstalled();
// A socket listening on 127.0.0.1 at a port the system chose, which goes into port.
int listenOnLoopback(int& port);
// A port of 127.0.0.1 that nothing listens on now.
int freePort();
// The shell command that runs text_client.py for the port; more of its arguments may follow.
std::string textClient(int port);

// A WebSocket client that has done its handshake with ws://127.0.0.1:port and then reads nothing until
// asked, with a receive buffer as small as the system allows; -1 if it could not connect.
int connectBareClient(int port);
// The next message's payload within timeoutMs; false when the connection has ended or sent a close
// frame, or nothing came.
bool readMessage(int client, std::string& text, int timeoutMs);
