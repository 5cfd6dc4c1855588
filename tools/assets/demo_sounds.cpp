#include "demo_sounds.h"

#include <cmath>

#include "assets.h"
#include "sound_synthesis.h"

namespace {

const uint32_t kRate = 22050;
const uint16_t kOmikujiBits = 16;
const uint16_t kHanamiBits = 8;
// Each sound has its own seed, so that changing one leaves the others as they are.
const uint32_t kEveningSeed = 0x1A2B3C4D;
const uint32_t kRattleSeed = 0x0BADCAFE;
const uint32_t kWindSeed = 0x600D5EED;

// A sine of count cycles over the fraction t of a loop: whole cycles, so it ends where it starts.
double cycle(double t, int count, double phase = 0) {
    return std::sin(2 * kPi * (count * t + phase));
}

// Evening cicadas call in phrases of quick pulses, rising and falling away.
double cicadaCall(double t, int pulses, int phrases, double phase) {
    double phrase = 0.5 - 0.5 * std::cos(2 * kPi * (phrases * t + phase));
    double pulse = std::max(0.0, cycle(t, pulses));
    return phrase * phrase * pulse * pulse;
}

std::vector<double> loudest(std::vector<double> samples) {
    normalise(samples, 1);
    return samples;
}

// A knock of wood: a ringing tone and a faint overtone that die away fast, struck by a burst of noise.
void addClick(std::vector<double>& samples, double atSeconds, double pitchHz, double loudness,
              NoiseSource& noise) {
    const double kRingSeconds = 0.004, kStrikeSeconds = 0.0008, kOvertone = 2.76;
    size_t start = static_cast<size_t>(atSeconds * kRate);
    for (size_t i = 0; i < static_cast<size_t>(kRingSeconds * 8 * kRate) && start + i < samples.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double ring = std::sin(2 * kPi * pitchHz * t) + 0.4 * std::sin(2 * kPi * pitchHz * kOvertone * t);
        double strike = noise.next() * std::exp(-t / kStrikeSeconds);
        samples[start + i] += loudness * (ring * std::exp(-t / kRingSeconds) + 0.5 * strike);
    }
}

}  // namespace

// Wind in the leaves and two cicadas, one near and one far. Everything that changes over the loop
// changes by whole cycles and the noise is filtered round the loop, so it repeats without a seam.
MonoSound makeEveningAmbience() {
    const size_t length = 4 * kRate;
    NoiseSource noise(kEveningSeed);
    auto leaves = [low = LowPass(400, kRate), lower = LowPass(400, kRate)](double x) mutable {
        return lower(low(x));
    };
    std::vector<double> wind = loudest(filterLoop(noise.samples(length), leaves));
    std::vector<double> near = loudest(filterLoop(noise.samples(length), BandPass(4300, 8, kRate)));
    std::vector<double> far = loudest(filterLoop(noise.samples(length), BandPass(3600, 6, kRate)));
    MonoSound sound{kRate, kOmikujiBits, std::vector<double>(length)};
    for (size_t i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / length;
        double breeze = 0.6 + 0.25 * cycle(t, 1) + 0.15 * cycle(t, 3, 0.2);
        sound.samples[i] = 0.5 * wind[i] * breeze + 0.35 * near[i] * cicadaCall(t, 40, 2, 0) +
                           0.15 * far[i] * cicadaCall(t, 52, 1, 0.5);
    }
    normalise(sound.samples, 0.5);
    return sound;
}

// Three shakes of the box: each knocks the box and sets the sticks inside clattering.
MonoSound makeBoxRattle() {
    MonoSound sound{kRate, kOmikujiBits, std::vector<double>(kRate)};
    NoiseSource scatter(kRattleSeed);
    for (double shakeAt : {0.03, 0.35, 0.67}) {
        addClick(sound.samples, shakeAt, 380, 1, scatter);
        double at = shakeAt;
        for (int stick = 0; stick < 7; ++stick) {
            at += scatter.between(0.008, 0.03);
            addClick(sound.samples, at, scatter.between(1400, 2800), scatter.between(0.3, 0.8), scatter);
        }
    }
    normalise(sound.samples, 0.8);
    return sound;
}

// Wind that rises quickly and falls away slowly, brighter at its height, with a hollow howl in it.
MonoSound makeWindGust() {
    const size_t length = 2 * kRate;
    NoiseSource noise(kWindSeed);
    LowPass low(300, kRate), lower(300, kRate);
    BandPass howl(700, 4, kRate);
    std::vector<double> rush(length), hollow(length);
    std::vector<double> swell(length);
    for (size_t i = 0; i < length; ++i) {
        double shape = std::sin(kPi * std::pow(static_cast<double>(i) / length, 0.6));
        swell[i] = shape * shape;
        low.setCutoff(250 + 900 * swell[i], kRate);
        lower.setCutoff(250 + 900 * swell[i], kRate);
        double x = noise.next();
        rush[i] = lower(low(x));
        hollow[i] = howl(x);
    }
    rush = loudest(rush), hollow = loudest(hollow);
    MonoSound sound{kRate, kHanamiBits, std::vector<double>(length)};
    for (size_t i = 0; i < length; ++i)
        sound.samples[i] = swell[i] * (0.75 * rush[i] + 0.25 * swell[i] * hollow[i]);
    normalise(sound.samples, 0.7);
    return sound;
}
