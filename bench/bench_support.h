// The window system the benchmarks pump: headless by default, a real SDL window when
// ZEBORA_BENCH_WINDOW=1 (bench/run.sh sets it under Xvfb), in full screen when it is "full".
#pragma once

#include <string>

// Installs the window system once; false when a real window was asked for and cannot be opened.
bool useBenchWindowSystem();
// Which window, and the renderer that SDL_RENDER_DRIVER asks for.
std::string benchWindowSystemName();

// Loads a script held in memory as the engine's script, as the loader leaves it.
void useScriptText(const std::string& stream);

// A fresh folder of the temporary directory for the one file a benchmark writes; both are removed
// when it goes.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    bool ready() const { return ready_; }
    std::string file() const { return folder_ + "/file.dat"; }

private:
    std::string folder_;
    bool ready_ = false;
};
