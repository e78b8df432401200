#pragma once

// The interaction of the command line: every message goes to standard
// error as "quorfind: " + its text (with the failure's cause when the
// caption holds one), its lines after the first indented and control
// characters shown as "?" (terminal_text.h); questions are never asked and get the answer that
// changes nothing; a stop is never requested.

#include <ostream>

#include "common/interaction.h"

namespace quor::find {

class TerminalInteraction final : public Interaction {
  public:
    explicit TerminalInteraction(std::ostream& err) : err_(err) {}

    void notice(std::string_view text, std::string_view caption, Shown shown) override;
    bool confirm(std::string_view, std::string_view) override { return false; }
    bool okOrCancel(std::string_view, std::string_view) override { return false; }
    bool retryOrCancel(std::string_view, std::string_view) override { return false; }
    void status(std::string_view) override {}
    void busy(bool) override {}
    bool keepResponsive() override { return false; }
    bool unattended() const override { return true; }

  private:
    std::ostream& err_;
};

}  // namespace quor::find
