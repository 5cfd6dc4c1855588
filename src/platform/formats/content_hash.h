// FNV-1a of 64 bits: a cheap hash that tells contents apart, the same on every machine. It is not
// meant to withstand contents chosen to collide, and nothing here needs it to.
#pragma once
#include <cstddef>
#include <cstdint>

const uint64_t kContentHashStart = 14695981039346656037ull;

// The hash of size bytes, going on from hash (the hash of what came before them).
inline uint64_t contentHash(const void* data, size_t size, uint64_t hash = kContentHashStart) {
    const uint64_t kPrime = 1099511628211ull;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= kPrime;
    }
    return hash;
}
