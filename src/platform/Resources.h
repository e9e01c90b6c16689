#pragma once
// Resources compiled into the executable: bitmaps and waves by name (any letter case) and the
// string table by id. A missing name or id throws PlatformError 326.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gorb::res {

// The whole .bmp / .wav file as built into the program.
std::span<const uint8_t> FindBitmap(std::string_view name);
std::span<const uint8_t> FindWave(std::string_view name);
bool HasBitmap(std::string_view name);
bool HasWave(std::string_view name);

// The string-table entry, exactly as stored (the game data keeps its surrounding quotes).
std::string LoadString(int id);
bool HasString(int id);

// Every embedded name, for tests and tools.
std::vector<std::string> BitmapNames();
std::vector<std::string> WaveNames();

}  // namespace gorb::res
