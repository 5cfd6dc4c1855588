#include "platform/window/private/pad_watcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

PadWatcher::~PadWatcher() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    interrupt();
    thread_.join();
    for (const Device& device : devices_)
        close(device.fd);
    close(pipe_[0]);
    close(pipe_[1]);
}

void PadWatcher::watch(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    if (!thread_.joinable()) {
        if (pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0) {
            close(fd);
            return;
        }
        thread_ = std::thread(&PadWatcher::run, this);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    devices_.push_back({path, fd});
    interrupt();
}

void PadWatcher::forget(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto device = devices_.begin(); device != devices_.end(); ++device) {
        if (device->path != path) continue;
        closing_.push_back(device->fd);
        devices_.erase(device);
        interrupt();
        return;
    }
}

void PadWatcher::interrupt() {
    char byte = 0;
    if (write(pipe_[1], &byte, 1) < 0) {
        // The pipe is full: the thread is interrupted already.
    }
}

bool PadWatcher::drain(int fd) {
    char bytes[4096];  // whole input events of evdev, or reports of hidraw
    for (;;) {
        ssize_t got = read(fd, bytes, sizeof bytes);
        if (got > 0) continue;
        return got < 0 && (errno == EAGAIN || errno == EINTR);
    }
}

// What a device forgotten while the thread polled it had to say wakes nothing.
bool PadWatcher::takeNews(const std::vector<pollfd>& polled) {
    std::lock_guard<std::mutex> lock(mutex_);
    bool news = false;
    for (size_t i = 1; i < polled.size(); ++i) {
        auto device = std::find_if(devices_.begin(), devices_.end(),
                                   [&polled, i](const Device& d) { return d.fd == polled[i].fd; });
        if (polled[i].revents == 0 || device == devices_.end()) continue;
        news = news || (polled[i].revents & POLLIN);
        if (drain(device->fd) && !(polled[i].revents & (POLLERR | POLLHUP | POLLNVAL))) continue;
        closing_.push_back(device->fd);
        devices_.erase(device);
    }
    return news;
}

void PadWatcher::run() {
    std::vector<pollfd> polled;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (int fd : closing_)
                close(fd);
            closing_.clear();
            if (stopping_) return;
            polled.assign(1, {pipe_[0], POLLIN, 0});
            for (const Device& device : devices_)
                polled.push_back({device.fd, POLLIN, 0});
        }
        if (poll(polled.data(), polled.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return;  // the window then hears of its controllers at its pumps
        }
        if (polled[0].revents) drain(pipe_[0]);
        if (takeNews(polled)) wake_();
    }
}
