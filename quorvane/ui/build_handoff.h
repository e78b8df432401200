#pragma once

// A build handed over by an unattended run ("quorvane auto NAME" while the
// window is open, as Quorfind's Update the Current List and cron start it):
// the window builds the list itself, progress and all, as Create List does,
// when it is idle and has that list open; otherwise it refuses, saying why,
// and changes nothing.

#include <filesystem>
#include <functional>
#include <string>

#include "common/handoff_protocol.h"
#include "common/qt/instance_beacon.h"
#include "common/result.h"

namespace quor::ui {

class MainWindow;
class WindowBuild;

// The window's answer to a request for the saved list listName ("music.lst";
// "" for the current configuration): Refused unless the window is idle (no
// build, no dialog box or menu open) and its list, named after its output
// file, is listName; else accepted() is called, the list is built in the
// window, and the outcome is Built or Failed with the reason.
handoff::Message buildHandedOver(MainWindow& main, WindowBuild& build, const std::string& listName,
                                 const std::function<void()>& accepted);

// Makes beacon hand its build requests to the window.
void takeHandedOverBuilds(InstanceBeacon& beacon, MainWindow& main, WindowBuild& build);

// The unattended run's side: hands the build of listName to the window of
// the program folder and waits for it. Success when the list was written
// there; otherwise the reason, for standard error.
Status handOffToWindow(const std::filesystem::path& programFolder, const std::string& listName,
                       const HandoffWaits& waits = {});

}  // namespace quor::ui
