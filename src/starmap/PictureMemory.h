#pragma once

// Where the memory of the map's pictures goes once they are dropped. Tiles of 256 KB
// and layer pictures come and go by the hundred while the view zooms, drawn on the
// tile threads. By default the C library keeps freed blocks of that size in its heaps
// for reuse, raising the size it maps on its own after the first one is freed; mixed
// with the small blocks that stay, those heaps cannot shrink, and what the tile cache
// evicts stays in the process as if still kept.
namespace PictureMemory {

// Blocks from this size up (the smallest tile kept is 256 KB) are mapped on their own
// and handed back to the system when freed.
inline constexpr int kOwnMappingFrom = 128 * 1024;

// Makes every block of `kOwnMappingFrom` bytes or more a mapping of its own, for the
// rest of the process. Returns whether the C library took the setting (only glibc's
// allocator has it).
bool returnDroppedPicturesToSystem();

} // namespace PictureMemory
