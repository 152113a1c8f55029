#pragma once
// A write past the process's file-size limit (`ulimit -f`) ends the process with SIGXFSZ
// unless the signal is ignored; ignored, the write fails with EFBIG like any other failed
// write, so a save keeps the old file and the player is told instead of losing the run.
namespace files {

// Every program of the game calls this first thing at start.
void FailWritesPastTheSizeLimit();

} // namespace files
