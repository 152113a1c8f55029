#pragma once
// The program's memory as the system sees it.

// Hands the memory freed since the last call back to the system where the C library allows
// (glibc keeps freed pieces for reuse; a level's transient buffers would otherwise stay
// counted against the game for the rest of the evening). Nothing else changes.
void ReturnFreedMemory();
