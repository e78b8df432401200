#pragma once

// The list build in the main window. Create List runs the build on the
// window's thread with the window live: the status bar shows the folder
// being read and, beside it, the folder records done of all; a Stop button
// shows beside the (disabled) Create List button (Escape stops too). A stop takes effect at the
// build's next safe point: between two folders, never inside a file being written. Output file,
// add-disk dialog and the action command go through the window services, so tests answer them.

#include <QObject>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <optional>
#include <string>
#include <vector>

#include "common/qt/window_interaction.h"
#include "quorvane/generate/build_driver.h"
#include "quorvane/store/list_context.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

class MainWindow;

class WindowBuild final : public QObject, public generate::BuildWindow {
    Q_OBJECT
  public:
    // boxes shows the build's messages and questions.
    WindowBuild(MainWindow& main, Interaction& boxes, WindowServices services);

    // One build (the main window's Create List calls it through its hook).
    generate::BuildResult run();
    // Stop: the running build ends at its next safe point.
    void requestStop();

    // The outcome of the last run, and what went wrong on its way (see
    // ListBuild::problems); nothing after forgetLastResult until a run ends.
    std::optional<generate::BuildResult> lastResult() const { return lastResult_; }
    void forgetLastResult() { lastResult_.reset(); }
    const std::vector<std::string>& problems() const { return build_.problems(); }

    WindowInteraction& interaction() { return interaction_; }

    void setBuildEnabled(bool enabled) override;
    bool chooseOutputFile() override;
    void addDisks(generate::RemovableDiskState& state) override;
    void setListLabel(const std::string& text) override;
    void progress(int done, int total) override;

  private:
    void showStatus(const QString& text);
    void showProgress(bool on);

    MainWindow& main_;
    WindowServices services_;
    WindowInteraction interaction_;
    store::ListContext context_;
    generate::ListBuild build_;
    QProgressBar* progress_ = nullptr;
    QPushButton* stop_ = nullptr;
    QShortcut* escape_ = nullptr;
    std::optional<generate::BuildResult> lastResult_;
};

// Makes the main window's Create List run a WindowBuild (owned by main)
// and its closing stop a running build; returns the build.
WindowBuild* attachWindowBuild(MainWindow& main, Interaction& boxes, WindowServices services);

}  // namespace quor::ui
