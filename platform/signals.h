#pragma once

// How the program meets the signals that would otherwise end it without a word.
namespace kv {

// A write into a pipe whose reader has gone fails as any other write does and says so, instead
// of ending the program silently before it can report anything.
void IgnoreBrokenPipes();

// An interrupt or a request to end (Ctrl+C, kill) is noted instead of ending the program, so a
// run without a window can end as closing the window ends it, its results still written. The
// window's own backend leaves these to its library, which turns them into a close.
void CatchStopSignals();

// Whether an interrupt or a request to end has come since CatchStopSignals.
bool StopSignalled();

}  // namespace kv
