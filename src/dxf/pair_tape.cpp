#include "dxf/pair_tape.h"

#include <new>

namespace karvex {

void PairTape::Clear() {
  chunks_.clear();
  count_ = 0;
  mode_ = Mode::Off;
  recordEnd_ = 0;
  played_ = 0;
  playPos_ = 0;
}

void PairTape::StartRecording() {
  Clear();
  mode_ = Mode::Recording;
}

void PairTape::StartPlaying() {
  mode_ = count_ > 0 ? Mode::Playing : Mode::Off;
  played_ = 0;
  playPos_ = 0;
}

bool PairTape::AddChunk() {
  if (count_ == kMostPairs) return false;
  try {
    chunks_.push_back(std::make_unique_for_overwrite<Chunk>());
  } catch (const std::bad_alloc&) {
    // The second walk reads the rest from the text.
    return false;
  }
  return true;
}

}  // namespace karvex
