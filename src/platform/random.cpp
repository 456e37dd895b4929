#include "platform/random.h"

#include <atomic>

namespace {
std::atomic<std::uint32_t> g_next{1};
}  // namespace

void SeedRandom(std::uint32_t seed) {
  g_next.store(seed, std::memory_order_relaxed);
}

int Random() {
  std::uint32_t current = g_next.load(std::memory_order_relaxed);
  RandomGenerator step(current);
  int value = step.Next();
  // A draw from another thread in between retries with the newer state.
  while (!g_next.compare_exchange_weak(current, step.State(), std::memory_order_relaxed)) {
    step.Seed(current);
    value = step.Next();
  }
  return value;
}
