#include <benchmark/benchmark.h>

#include "platform/Arithmetic.h"

// The random generator is called many times a frame by enemy fire and spawning.
static void BM_Rnd(benchmark::State& state) {
    gorb::RandomGenerator random;
    random.RandomizeWith(1);
    for (auto _ : state) benchmark::DoNotOptimize(random.Rnd());
}
BENCHMARK(BM_Rnd);
