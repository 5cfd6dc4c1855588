// End-to-end runs of the real window: a private Xvfb at a chosen screen size, optionally managed by
// openbox, the player started on it, and xdotool acting as the reader.
#pragma once
#include <sys/types.h>

#include <cstdint>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Xvfb and xdotool are on the PATH.
bool xToolsInstalled();
// And xclip, which reads the clipboard as a dictionary tool does.
bool xclipInstalled();
// Asks every 50 ms until done() says yes or timeoutMs have passed; done()'s last answer.
bool pollUntil(const std::function<bool()>& done, int timeoutMs);

// A program run on an X display, with its output thrown away; stopped if it still runs when this goes.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& command, const std::string& display);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    pid_t pid() const { return pid_; }
    // The exit status if it exits within timeoutMs (128 + the signal that ended it); -1 if it still runs.
    int waitForExit(int timeoutMs);

private:
    pid_t pid_;
    bool reaped_ = false;
};

struct WindowGeometry {
    int width = 0;
    int height = 0;
};

class XDisplay {
public:
    XDisplay(int screenWidth, int screenHeight, bool windowManager);
    // Empty when the server, and the window manager if asked for, are up.
    const std::string& failure() const { return failure_; }
    const std::string& name() const { return name_; }
    // Runs xdotool with these arguments on this display and returns what it printed.
    std::string xdotool(const std::string& arguments) const;
    // The window the process shows, once it shows one within timeoutMs; empty if it does not.
    std::string windowOf(pid_t pid, int timeoutMs) const;
    WindowGeometry geometry(const std::string& window) const;
    // What the clipboard holds now, as xclip reads it; empty when no one holds it.
    std::string clipboard() const;
    // Asks the window manager to maximise the window, as its title bar's button does.
    void maximise(const std::string& window) const;
    // Drops the file or folder at path onto the window at (x, y) of it, as a file manager does; true
    // once the window has taken it within timeoutMs.
    bool drop(const std::string& window, int x, int y, const std::string& path, int timeoutMs) const;
    // What the window shows, 3 bytes a pixel (red, green, blue); empty when it cannot be read.
    std::vector<uint8_t> grab(const std::string& window, int& width, int& height) const;

private:
    void startServer(int screenWidth, int screenHeight);
    void startWindowManager();

    std::string name_;
    std::string failure_;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> windowManager_;
};
