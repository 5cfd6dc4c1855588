// Wakes the window when a game controller has news. SDL reads the controllers only when it is asked
// to, and while one is attached its own waits would look every millisecond; so the window asks at each
// pump and sleeps on its queue between, and this thread watches the controllers' device files and wakes
// it when one of them has input. What the thread reads is a copy of its own, thrown away: the news are
// SDL's to read.
#pragma once
#include <poll.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PadWatcher {
public:
    // wake is called on the watcher's thread.
    explicit PadWatcher(std::function<void()> wake) : wake_(std::move(wake)) {}
    ~PadWatcher();
    PadWatcher(const PadWatcher&) = delete;
    PadWatcher& operator=(const PadWatcher&) = delete;

    // A device file that cannot be opened is not watched: the window then hears of its controller at
    // its next pump, at most a blink later.
    void watch(const std::string& path);
    void forget(const std::string& path);

private:
    struct Device {
        std::string path;
        int fd;
    };

    void run();
    // Reads what the device holds; false when it is gone.
    static bool drain(int fd);
    // Whether a watched device had input; a device that is gone is dropped.
    bool takeNews(const std::vector<pollfd>& polled);
    void interrupt();

    std::function<void()> wake_;
    std::mutex mutex_;
    std::vector<Device> devices_;
    std::vector<int> closing_;  // closed by the thread, which may be polling them still
    bool stopping_ = false;
    int pipe_[2] = {-1, -1};  // interrupts the thread's poll
    std::thread thread_;      // started with the first device
};
