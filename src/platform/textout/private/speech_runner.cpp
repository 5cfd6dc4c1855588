#include "platform/textout/private/speech_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

extern char** environ;

namespace {

const auto kCheckEvery = std::chrono::milliseconds(20);
const auto kEndGrace = std::chrono::milliseconds(500);

// A process that ends on SIGTERM is given a moment to, then killed.
void endProcessGroup(pid_t process) {
    kill(-process, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + kEndGrace;
    while (waitpid(process, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-process, SIGKILL);
            waitpid(process, nullptr, 0);
            return;
        }
        usleep(std::chrono::duration_cast<std::chrono::microseconds>(kCheckEvery).count());
    }
}

}  // namespace

SpeechRunner::SpeechRunner(std::string command) : command_(std::move(command)) {
    thread_ = std::thread([this] { run(); });
}

SpeechRunner::~SpeechRunner() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void SpeechRunner::speak(const std::vector<std::string>& texts) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        waiting_ = texts;
        ++wait_;
    }
    changed_.notify_all();
}

void SpeechRunner::silence() {
    speak({});
}

void SpeechRunner::run() {
    for (;;) {
        std::vector<std::string> texts;
        uint64_t wait = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
            if (stopping_) return;
            texts.swap(waiting_);
            wait = wait_;
        }
        for (const std::string& text : texts) {
            pid_t process = start(text);
            if (process > 0 && !waitForEnd(process, wait)) {
                endProcessGroup(process);
                break;
            }
        }
    }
}

// The command runs in a process group of its own, so that ending it ends whatever it started, with
// the text on a socket for its standard input: written without waiting and without SIGPIPE, whether
// or not the command reads it. Its own output is not ours to show.
pid_t SpeechRunner::start(const std::string& text) {
    int input[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0) {
        failed(std::strerror(errno));
        return -1;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, input[1], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigfillset(&defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const char* arguments[] = {"/bin/sh", "-c", command_.c_str(), nullptr};
    pid_t process = -1;
    int error =
        posix_spawn(&process, arguments[0], &files, &attributes, const_cast<char**>(arguments), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    close(input[1]);
    if (error != 0) {
        failed(std::strerror(error));
        process = -1;
    } else {
        send(input[0], text.data(), text.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    }
    close(input[0]);
    return process;
}

bool SpeechRunner::waitForEnd(pid_t process, uint64_t wait) {
    for (;;) {
        int status = 0;
        if (waitpid(process, &status, WNOHANG) == process) {
            said(status);
            return true;
        }
        std::unique_lock<std::mutex> lock(mutex_);
        if (changed_.wait_for(lock, kCheckEvery, [&] { return stopping_ || wait_ != wait; })) return false;
    }
}

void SpeechRunner::said(int status) {
    char why[64];
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return;
    if (WIFEXITED(status)) {
        std::snprintf(why, sizeof why, "exit status %d", WEXITSTATUS(status));
    } else {
        std::snprintf(why, sizeof why, "ended by signal %d", WTERMSIG(status));
    }
    failed(why);
}

void SpeechRunner::failed(const char* why) {
    if (failureSaid_) return;
    failureSaid_ = true;
    std::fprintf(stderr, "zebora: the speech command failed (%s): %s\n", why, command_.c_str());
}
