#pragma once

// The interactive run of quorvane: one copy per program folder (a second
// copy brings the first forward and ends), the settings store opened (reset
// when its settings cannot be used), the main window shown until it closes.

namespace quor::ui {

// Runs the window; returns the exit status.
int runQuorvaneWindow(int argc, char** argv);

}  // namespace quor::ui
