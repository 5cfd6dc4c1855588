// The MIDI files of two games that no one here wrote (kobodeluxe-data, freedink-data), read by the
// MIDI tests and the music benchmark.
#pragma once
#include <string>
#include <vector>

// Their paths; empty when the packages are not installed.
std::vector<std::string> realMidiFiles();
