// Throughput of the byte-by-byte frame search over a file with no MPEG frame
// in it, which the search reads to its end.
#include "MPGTools.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t FileBytes = 64 * 1024 * 1024;

// Without 0xFF bytes no frame sync can appear; fill 0xFF gives a sync at every
// position, each of them decoded and rejected.
std::string MakeFile(const std::string& name, bool syncEverywhere) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::vector<char> bytes(FileBytes);
  std::uint32_t state = 12345;
  for (char& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<char>(syncEverywhere ? 0xFF : (state >> 24) % 0xFF);
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void Search(benchmark::State& state, bool syncEverywhere) {
  const std::string path = MakeFile(syncEverywhere ? "bench-mpegaudio-ff.bin" : "bench-mpegaudio.bin",
                                    syncEverywhere);
  SetPumpMessages([] {});
  TMPEGAudio audio;
  audio.OnError = nullptr;
  audio.AutoLoad = false;
  audio.SetFileName(path);
  for (auto _ : state) {
    const std::int32_t result = audio.Analyse();
    if (result != -1) state.SkipWithError("a frame pair was found");
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * FileBytes);
  SetPumpMessages(nullptr);
  std::filesystem::remove(path);
}

void BM_SearchWithoutFrames(benchmark::State& state) { Search(state, false); }
void BM_SearchSyncAtEveryByte(benchmark::State& state) { Search(state, true); }

}  // namespace

BENCHMARK(BM_SearchWithoutFrames)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_SearchSyncAtEveryByte)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

BENCHMARK_MAIN();
