// The voice: a command run through the shell with a text on its standard input (spd-say, Open JTalk),
// one at a time on a thread of its own. The texts of one wait are spoken one after the other; when the
// reader moves on, the next wait's texts end the one still speaking (its whole process group) and what
// was still to be spoken of the old wait. A command that fails or cannot start is said once on stderr;
// the texts after it are tried all the same.
#pragma once
#include <sys/types.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class SpeechRunner {
public:
    explicit SpeechRunner(std::string command);
    // Ends what speaks, then the thread.
    ~SpeechRunner();
    SpeechRunner(const SpeechRunner&) = delete;
    SpeechRunner& operator=(const SpeechRunner&) = delete;

    // The texts of a new wait.
    void speak(const std::vector<std::string>& texts);
    // Nothing more is to be said (the game has ended).
    void silence();

private:
    void run();
    pid_t start(const std::string& text);
    // Until the process ends on its own (true) or the reader moves on from the wait numbered wait.
    bool waitForEnd(pid_t process, uint64_t wait);
    void said(int status);
    void failed(const char* why);

    const std::string command_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> waiting_;
    uint64_t wait_ = 0;  // counts the waits, so that the thread sees the reader move on
    bool stopping_ = false;
    bool failureSaid_ = false;
    std::thread thread_;
};
