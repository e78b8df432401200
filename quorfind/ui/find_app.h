#pragma once

// The interactive run of quorfind: one copy per program folder (a second
// copy brings the first forward and ends), the settings store opened, the
// search window shown with its tray icon until the window closes.

namespace quor::find::ui {

inline constexpr char kQuorfindLockFile[] = ".quorfind.lock";

// Runs the window; returns the exit status. Without a display to show it
// on, says so on standard error and returns 1.
int runQuorfindWindow(int argc, char** argv);

}  // namespace quor::find::ui
