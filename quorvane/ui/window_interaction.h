#pragma once

// The interaction of a tool window that runs long work of its own (the
// duplicate search): message boxes and the busy pointer go to the program's
// interaction, the status text to the window's own status bar, and the
// window's Stop button sets a stop request that only this window's work
// sees. The work may poll keepResponsive() after every entry of a large
// catalogue, so pending events are run at most every kEventInterval; the
// first poll after beginWork() always runs them.

#include <QPointer>
#include <QStatusBar>
#include <chrono>

#include "common/interaction.h"

namespace quor::ui {

class WindowInteraction final : public Interaction {
  public:
    static constexpr std::chrono::milliseconds kEventInterval{30};

    WindowInteraction(Interaction& boxes, QStatusBar& statusBar)
        : boxes_(boxes), statusBar_(&statusBar) {}

    // New work begins: no stop is requested and the next poll runs events.
    void beginWork();
    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }

    void notice(std::string_view text, std::string_view caption = kNoticeCaption,
                Shown shown = Shown::InteractiveOnly) override {
        boxes_.notice(text, caption, shown);
    }
    bool confirm(std::string_view text, std::string_view caption) override {
        return boxes_.confirm(text, caption);
    }
    bool okOrCancel(std::string_view text, std::string_view caption) override {
        return boxes_.okOrCancel(text, caption);
    }
    bool retryOrCancel(std::string_view text, std::string_view caption) override {
        return boxes_.retryOrCancel(text, caption);
    }
    void busy(bool on) override { boxes_.busy(on); }
    bool unattended() const override { return boxes_.unattended(); }
    void status(std::string_view text) override;
    bool keepResponsive() override;

  private:
    Interaction& boxes_;
    QPointer<QStatusBar> statusBar_;
    std::chrono::steady_clock::time_point lastEvents_{};
    bool stopRequested_ = false;
};

}  // namespace quor::ui
