#pragma once

// The interaction of a window that runs long work of its own (the list
// build, the duplicate search, reading a disk): message boxes and the busy
// pointer go to the program's interaction, the status text to the window's
// own status bar (or label), and the window's Stop button sets a stop
// request that only this window's work sees. The work may poll
// keepResponsive() after every entry of a large catalogue, so pending
// events are run at most every eventInterval (kEventInterval unless set);
// the first poll after beginWork() always runs them.

#include <QPointer>
#include <QStatusBar>
#include <chrono>
#include <functional>

#include "common/interaction.h"

namespace quor::ui {

class WindowInteraction final : public Interaction {
  public:
    static constexpr std::chrono::milliseconds kEventInterval{30};

    using StatusShower = std::function<void(const QString& text)>;

    WindowInteraction(Interaction& boxes, QStatusBar& statusBar);
    WindowInteraction(Interaction& boxes, StatusShower showStatus)
        : boxes_(boxes), showStatus_(std::move(showStatus)) {}

    // New work begins: no stop is requested and the next poll runs events.
    void beginWork();
    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }
    // Zero runs events at every poll (tests that look at each poll).
    void setEventInterval(std::chrono::milliseconds interval) { interval_ = interval; }

    void notice(std::string_view text, std::string_view caption = kNoticeCaption,
                Shown shown = Shown::InteractiveOnly) override {
        boxes_.notice(text, caption, shown);
    }
    bool confirm(std::string_view text, std::string_view caption) override {
        return boxes_.confirm(text, caption);
    }
    bool confirmDestructive(std::string_view text, std::string_view caption) override {
        return boxes_.confirmDestructive(text, caption);
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
    StatusShower showStatus_;
    std::chrono::milliseconds interval_ = kEventInterval;
    std::chrono::steady_clock::time_point lastEvents_{};
    bool firstPoll_ = true;
    bool stopRequested_ = false;
};

}  // namespace quor::ui
