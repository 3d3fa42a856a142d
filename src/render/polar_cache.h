#pragma once
// Remembers the polar form (angle as a float, distance in extended
// precision) of block points about their base point. A block inserted ten
// thousand times turns the same points ten thousand times; their polar form
// is a pure function of the four floats, so looking it up gives exactly what
// computing it again would. The turned offsets are a pure function of the
// polar form and the insertion angle, so the last few are kept too: blocks
// are mostly inserted again and again at a few angles (0, 90, 180, 270),
// and then nothing is left to compute but the move to the insertion point.
#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace karvex {

struct PolarForm {
  float angleDegrees;
  long double distance;
};

// A float's bits, for keys that must tell -0 from 0 and match NaNs exactly.
inline std::uint32_t FloatBits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return bits;
}

// A 64-bit hash of a few 32-bit words, best taken from its top bits.
inline std::uint64_t HashWords(std::initializer_list<std::uint32_t> words) {
  std::uint64_t hash = 0x9E3779B97F4A7C15ull;
  for (std::uint32_t word : words) hash = (hash ^ word) * 0x100000001B3ull;
  return hash;
}

// A block point's offsets from the base point once turned, held as floats.
struct TurnedOffset {
  float x;
  float y;
};

class PolarCache {
  using Key = std::array<std::uint32_t, 4>;

 public:
  class Entry {
   public:
    const PolarForm& Form() const { return form_; }
    // The offsets kept for exactly this insertion angle, or null.
    const TurnedOffset* TurnedBy(float insertAngle) const {
      const std::uint32_t angleBits = FloatBits(insertAngle);
      for (std::size_t i = 0; i < turnsKept_; ++i) {
        if (turns_[i].angleBits == angleBits) return &turns_[i].offset;
      }
      return nullptr;
    }
    // Keeps the offsets for this angle in place of the oldest kept ones.
    void KeepTurn(float insertAngle, TurnedOffset turned) {
      turns_[nextTurn_] = {FloatBits(insertAngle), turned};
      nextTurn_ = (nextTurn_ + 1) % kTurnsKept;
      if (turnsKept_ < kTurnsKept) ++turnsKept_;
    }

   private:
    friend class PolarCache;
    static constexpr std::size_t kTurnsKept = 4;
    struct KeptTurn {
      std::uint32_t angleBits;
      TurnedOffset offset;
    };
    Key key_{};
    PolarForm form_{};
    bool used_ = false;
    std::uint8_t turnsKept_ = 0;
    std::uint8_t nextTurn_ = 0;
    std::array<KeptTurn, kTurnsKept> turns_{};
  };

  // The entry of (x, y) about (baseX, baseY), or null.
  Entry* Find(float x, float y, float baseX, float baseY) {
    const Key key = MakeKey(x, y, baseX, baseY);
    Entry& entry = entries_[Slot(key)];
    return entry.used_ && entry.key_ == key ? &entry : nullptr;
  }

  // Makes the entry of (x, y) about (baseX, baseY), in place of whatever
  // its slot held, with no turn kept yet.
  Entry& Store(float x, float y, float baseX, float baseY, const PolarForm& form) {
    const Key key = MakeKey(x, y, baseX, baseY);
    Entry& entry = entries_[Slot(key)];
    entry = Entry{};
    entry.key_ = key;
    entry.form_ = form;
    entry.used_ = true;
    return entry;
  }

 private:
  static constexpr int kSlotBits = 14;
  static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;

  static Key MakeKey(float x, float y, float baseX, float baseY) {
    return {FloatBits(x), FloatBits(y), FloatBits(baseX), FloatBits(baseY)};
  }
  static std::size_t Slot(const Key& key) {
    return static_cast<std::size_t>(HashWords({key[0], key[1], key[2], key[3]}) >> (64 - kSlotBits));
  }

  std::array<Entry, kSlots> entries_{};
};

}  // namespace karvex
