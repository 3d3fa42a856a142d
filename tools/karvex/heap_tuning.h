#pragma once
// How the converter's process asks the C library to manage its memory.

namespace karvex::tools {

// Blocks of up to several megabytes (pictures, the host's pixel block, the
// read-ahead ring, the PNG encoder's tables) come from the heap instead of
// mappings of their own, and freed heap memory stays with the process. The
// host's pixel block and the PNG encoder then reuse the pages the picture
// was drawn on instead of faulting in new ones, and the encoder's tables
// need no new mapping while the drawing's mapping is being let go beside it
// (which holds up every change of the address space).
void KeepLargeBlocksOnTheHeap();

}  // namespace karvex::tools
