#pragma once

// An interaction for tests: questions are answered from a script given in
// advance, and everything shown is recorded for the test to check.

#include <deque>
#include <string>
#include <vector>

#include "common/interaction.h"

namespace quor::testing {

enum class Box { Notice, Confirm, OkOrCancel, RetryOrCancel };

struct ShownBox {
    Box box;
    std::string text;
    std::string caption;
    Shown shown = Shown::InteractiveOnly;
    // Set for a question whose default answer is No (confirmDestructive).
    bool defaultNo = false;
};

class ScriptedInteraction final : public Interaction {
  public:
    // Queues answers: true for Yes, OK or Retry; false for No or Cancel.
    void answer(bool yes) { answers_.push_back(yes); }
    void answerYes() { answer(true); }
    void answerNo() { answer(false); }

    // Makes the n-th call of keepResponsive (1-based) and every later one
    // report a stop request.
    void stopAtPoll(int n) { stopAtPoll_ = n; }

    void setUnattended(bool on) { unattended_ = on; }

    // Everything shown, in order.
    const std::vector<ShownBox>& boxes() const { return boxes_; }
    // Only the texts of the boxes, in order.
    std::vector<std::string> texts() const;
    const std::vector<std::string>& statuses() const { return statuses_; }
    int polls() const { return polls_; }
    int busyDepth() const { return busyDepth_; }
    // Questions asked after the script ran out (answered No/Cancel).
    int unscriptedQuestions() const { return unscripted_; }
    // Answers that were queued but never asked for.
    std::size_t unusedAnswers() const { return answers_.size(); }

    void notice(std::string_view text, std::string_view caption, Shown shown) override;
    bool confirm(std::string_view text, std::string_view caption) override;
    // Recorded as Box::Confirm with defaultNo set.
    bool confirmDestructive(std::string_view text, std::string_view caption) override;
    bool okOrCancel(std::string_view text, std::string_view caption) override;
    bool retryOrCancel(std::string_view text, std::string_view caption) override;
    void status(std::string_view text) override { statuses_.emplace_back(text); }
    void busy(bool on) override { busyDepth_ += on ? 1 : -1; }
    bool keepResponsive() override;
    bool unattended() const override { return unattended_; }

  private:
    bool ask(Box box, std::string_view text, std::string_view caption, bool defaultNo = false);

    std::deque<bool> answers_;
    std::vector<ShownBox> boxes_;
    std::vector<std::string> statuses_;
    int stopAtPoll_ = 0;
    int polls_ = 0;
    int busyDepth_ = 0;
    int unscripted_ = 0;
    bool unattended_ = false;
};

}  // namespace quor::testing
