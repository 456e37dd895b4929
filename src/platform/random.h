// A 15-bit pseudo-random generator with srand/rand semantics: values 0..32767 from
// the classic linear congruential sequence, so a seed always gives the same numbers.
#pragma once

#include <cstdint>

constexpr int kRandMax = 32767;

// One sequence with its own state.
class RandomGenerator {
 public:
  explicit RandomGenerator(std::uint32_t seed = 1) : m_next(seed) {}
  void Seed(std::uint32_t seed) { m_next = seed; }
  // The next value, 0..kRandMax.
  int Next() {
    m_next = m_next * 1103515245u + 12345u;
    return static_cast<int>((m_next / 65536u) % 32768u);
  }
  std::uint32_t State() const { return m_next; }

 private:
  std::uint32_t m_next;
};

// The process-wide sequence that the random blocks draw from; like the C library's
// it starts as if seeded with 1.
void SeedRandom(std::uint32_t seed);  // srand
int Random();                         // rand: 0..kRandMax
