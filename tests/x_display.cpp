#include "x_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "test_support.h"

namespace {

const int kPollStepMs = 50;
const int kStartTimeoutMs = 10000;
const int kStopTimeoutMs = 2000;
const int kSignalled = 128;  // as the shell reports a process that a signal ended

// What Xvfb writes on the pipe once it listens: its display number and a newline.
std::string readDisplayNumber(int fd) {
    std::string number;
    pollfd wanted = {fd, POLLIN, 0};
    char c = 0;
    while (poll(&wanted, 1, kStartTimeoutMs) == 1 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return c == '\n' ? number : "";
}

}  // namespace

bool xToolsInstalled() {
    return programInstalled("Xvfb") && programInstalled("xdotool");
}

bool xclipInstalled() {
    return programInstalled("xclip");
}

bool pollUntil(const std::function<bool()>& done, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollStepMs));
    }
    return done();
}

ChildProcess::ChildProcess(const std::vector<std::string>& command, const std::string& display) {
    pid_ = fork();
    if (pid_ != 0) return;
    int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    setenv("DISPLAY", display.c_str(), 1);
    std::vector<char*> arguments;
    for (const std::string& word : command)
        arguments.push_back(const_cast<char*>(word.c_str()));
    arguments.push_back(nullptr);
    execvp(arguments[0], arguments.data());
    _exit(127);
}

// Asked politely first, so that Xvfb removes its lock file and socket.
ChildProcess::~ChildProcess() {
    if (reaped_ || pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitForExit(kStopTimeoutMs);
    if (reaped_) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

int ChildProcess::waitForExit(int timeoutMs) {
    int status = 0;
    reaped_ = pollUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeoutMs);
    if (!reaped_) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : kSignalled + WTERMSIG(status);
}

XDisplay::XDisplay(int screenWidth, int screenHeight, bool windowManager) {
    startServer(screenWidth, screenHeight);
    if (failure_.empty() && windowManager) startWindowManager();
}

void XDisplay::startServer(int screenWidth, int screenHeight) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        failure_ = "no pipe";
        return;
    }
    std::string screen = std::to_string(screenWidth) + "x" + std::to_string(screenHeight) + "x24";
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", screen,
                                 "-nolisten", "tcp"},
        "");
    close(pipeFds[1]);
    std::string number = readDisplayNumber(pipeFds[0]);
    close(pipeFds[0]);
    if (number.empty()) failure_ = "Xvfb did not start";
    name_ = ":" + number;
}

// Openbox runs its start-up command once it manages the screen: that command removes a file.
void XDisplay::startWindowManager() {
    char signal[] = "/tmp/zebora-openbox-XXXXXX";
    close(mkstemp(signal));
    windowManager_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openbox", "--sm-disable", "--startup", std::string("rm ") + signal}, name_);
    if (!pollUntil([&] { return access(signal, F_OK) != 0; }, kStartTimeoutMs)) {
        failure_ = "openbox did not start (is it installed? make deps installs it)";
        unlink(signal);
    }
}

std::string XDisplay::xdotool(const std::string& arguments) const {
    return commandOutput("DISPLAY=" + name_ + " xdotool " + arguments + " 2>/dev/null");
}

std::string XDisplay::clipboard() const {
    return commandOutput("DISPLAY=" + name_ + " xclip -selection clipboard -o 2>/dev/null");
}

std::string XDisplay::windowOf(pid_t pid, int timeoutMs) const {
    std::string window;
    pollUntil(
        [&] {
            std::istringstream found(xdotool("search --onlyvisible --pid " + std::to_string(pid)));
            return static_cast<bool>(found >> window);
        },
        timeoutMs);
    return window;
}

WindowGeometry XDisplay::geometry(const std::string& window) const {
    std::istringstream lines(xdotool("getwindowgeometry --shell " + window));
    WindowGeometry geometry;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("WIDTH=", 0) == 0) geometry.width = std::atoi(line.c_str() + 6);
        if (line.rfind("HEIGHT=", 0) == 0) geometry.height = std::atoi(line.c_str() + 7);
    }
    return geometry;
}

void XDisplay::maximise(const std::string& window) const {
    Display* x = XOpenDisplay(name_.c_str());
    if (!x) return;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::strtoul(window.c_str(), nullptr, 10);
    event.xclient.message_type = XInternAtom(x, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // add
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(x, "_NET_WM_STATE_MAXIMIZED_VERT", False));
    event.xclient.data.l[2] = static_cast<long>(XInternAtom(x, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
    event.xclient.data.l[3] = 1;  // asked by an application
    XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XCloseDisplay(x);
}

std::vector<uint8_t> XDisplay::grab(const std::string& window, int& width, int& height) const {
    std::vector<uint8_t> rgb;
    Display* x = XOpenDisplay(name_.c_str());
    if (!x) return rgb;
    Window id = std::strtoul(window.c_str(), nullptr, 10);
    XWindowAttributes attributes;
    XImage* image = XGetWindowAttributes(x, id, &attributes)
                        ? XGetImage(x, id, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap)
                        : nullptr;
    if (image) {
        width = image->width;
        height = image->height;
        for (int y = 0; y < height; ++y) {
            for (int px = 0; px < width; ++px) {
                unsigned long pixel = XGetPixel(image, px, y);
                rgb.push_back(static_cast<uint8_t>((pixel & image->red_mask) >> 16));
                rgb.push_back(static_cast<uint8_t>((pixel & image->green_mask) >> 8));
                rgb.push_back(static_cast<uint8_t>(pixel & image->blue_mask));
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(x);
    return rgb;
}

namespace {

// The client messages of the drag-and-drop protocol, from the source to the target or back.
void sendClientMessage(Display* x, Window to, Atom type, const long (&data)[5]) {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = to;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    for (int i = 0; i < 5; ++i)
        event.xclient.data.l[i] = data[i];
    XSendEvent(x, to, False, NoEventMask, &event);
    XFlush(x);
}

// The source's side of a drop: it hands the path over as a URI list when the target asks for it.
void answerSelectionRequest(Display* x, const XSelectionRequestEvent& request, const std::string& uris) {
    XChangeProperty(x, request.requestor, request.property, request.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(uris.data()), static_cast<int>(uris.size()));
    XEvent notify = {};
    notify.xselection.type = SelectionNotify;
    notify.xselection.requestor = request.requestor;
    notify.xselection.selection = request.selection;
    notify.xselection.target = request.target;
    notify.xselection.property = request.property;
    notify.xselection.time = request.time;
    XSendEvent(x, request.requestor, False, NoEventMask, &notify);
    XFlush(x);
}

}  // namespace

// A file manager's drop, as the XDND protocol has it: enter, position, the target's status, drop, the
// target's request for the data, and its finish.
bool XDisplay::drop(const std::string& window, int x, int y, const std::string& path, int timeoutMs) const {
    Display* display = XOpenDisplay(name_.c_str());
    if (!display) return false;
    Window target = std::stoul(window), root = DefaultRootWindow(display), child = 0;
    Window source = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    auto atom = [&](const char* name) { return XInternAtom(display, name, False); };
    Atom uriList = atom("text/uri-list"), finished = atom("XdndFinished"), status = atom("XdndStatus");
    XSetSelectionOwner(display, atom("XdndSelection"), source, CurrentTime);
    int rootX = 0, rootY = 0;
    XTranslateCoordinates(display, target, root, x, y, &rootX, &rootY, &child);
    const long kVersion = 5;
    long src = static_cast<long>(source);
    sendClientMessage(display, target, atom("XdndEnter"),
                      {src, kVersion << 24, static_cast<long>(uriList), 0, 0});
    sendClientMessage(
        display, target, atom("XdndPosition"),
        {src, 0, (rootX << 16) | rootY, CurrentTime, static_cast<long>(atom("XdndActionCopy"))});
    bool dropped = false, done = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done && std::chrono::steady_clock::now() < deadline) {
        if (!XPending(display)) {
            pollfd ready = {ConnectionNumber(display), POLLIN, 0};
            poll(&ready, 1, 50);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage && event.xclient.message_type == status && !dropped) {
            dropped = true;
            sendClientMessage(display, target, atom("XdndDrop"), {src, 0, CurrentTime, 0, 0});
        } else if (event.type == SelectionRequest) {
            answerSelectionRequest(display, event.xselectionrequest, "file://" + path + "\r\n");
        } else if (event.type == ClientMessage && event.xclient.message_type == finished) {
            done = true;
        }
    }
    XDestroyWindow(display, source);
    XCloseDisplay(display);
    return done;
}
