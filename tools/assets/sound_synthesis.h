// The building blocks of the demo sounds: a noise source that gives the same sounds on every machine,
// and the filters that colour it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Xorshift: white noise between -1 and 1 from a fixed seed.
class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state_(seed) {}
    double next();
    // A value between low and high, for the scatter of clicks in time and pitch.
    double between(double low, double high) { return low + (next() + 1) / 2 * (high - low); }
    std::vector<double> samples(size_t count);

private:
    uint32_t state_;
};

// Smooths away what lies above the cutoff, 6 dB an octave.
class LowPass {
public:
    LowPass(double cutoffHz, double rate) { setCutoff(cutoffHz, rate); }
    void setCutoff(double cutoffHz, double rate);
    double operator()(double x) { return state_ += coefficient_ * (x - state_); }

private:
    double coefficient_ = 0;
    double state_ = 0;
};

// Keeps a band round the centre, narrower as q grows; a peak gain of 1.
class BandPass {
public:
    BandPass(double centreHz, double q, double rate);
    double operator()(double x);

private:
    double b0_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A filter run over a loop of sound as if the loop went round twice: its state at the start is the state
// its end left, so the loop joins without a click.
template <typename Filter>
std::vector<double> filterLoop(const std::vector<double>& loop, Filter filter) {
    std::vector<double> out(loop.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < loop.size(); ++i)
            out[i] = filter(loop[i]);
    }
    return out;
}

// Scales the samples so that the loudest one reaches peak.
void normalise(std::vector<double>& samples, double peak);
