#pragma once
// Remembers the polar form (angle as a float, distance in extended
// precision) of block points about their base point. A block inserted ten
// thousand times turns the same points ten thousand times; their polar form
// is a pure function of the four floats, so looking it up gives exactly what
// computing it again would. Only the turn by the insertion angle is left to
// do per insertion.
#include <array>
#include <cstdint>
#include <cstring>

namespace karvex {

struct PolarForm {
  float angleDegrees;
  long double distance;
};

class PolarCache {
 public:
  // The cached form of (x, y) about (baseX, baseY), or null.
  const PolarForm* Find(float x, float y, float baseX, float baseY) const {
    const Key key = MakeKey(x, y, baseX, baseY);
    const Entry& entry = entries_[Slot(key)];
    return entry.used && entry.key == key ? &entry.form : nullptr;
  }

  void Store(float x, float y, float baseX, float baseY, const PolarForm& form) {
    const Key key = MakeKey(x, y, baseX, baseY);
    Entry& entry = entries_[Slot(key)];
    entry = Entry{key, form, true};
  }

 private:
  using Key = std::array<std::uint32_t, 4>;
  struct Entry {
    Key key{};
    PolarForm form{};
    bool used = false;
  };
  static constexpr std::size_t kSlots = 4096;

  static Key MakeKey(float x, float y, float baseX, float baseY) {
    Key key;
    std::memcpy(&key[0], &x, 4);
    std::memcpy(&key[1], &y, 4);
    std::memcpy(&key[2], &baseX, 4);
    std::memcpy(&key[3], &baseY, 4);
    return key;
  }
  static std::size_t Slot(const Key& key) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull;
    for (std::uint32_t part : key) hash = (hash ^ part) * 0x100000001B3ull;
    return static_cast<std::size_t>(hash >> 52) % kSlots;
  }

  std::array<Entry, kSlots> entries_{};
};

}  // namespace karvex
