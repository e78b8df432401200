#pragma once

// Everything long work or an operation wants to say to the user, or ask of
// them, goes through this interface. The windows implement it with Qt, an
// unattended run implements it without any window, and tests implement it
// with scripted answers. The core never shows anything by itself.

#include <string>
#include <string_view>
#include <utility>

namespace quor {

inline constexpr std::string_view kNoticeCaption = "Notice";
inline constexpr std::string_view kWarningCaption = "Warning";

// Whether a message is shown in an unattended run as well (there it goes to
// standard error), or only when a user is at the window.
enum class Shown { InteractiveOnly, Always };

class Interaction {
  public:
    virtual ~Interaction() = default;

    // A message with an OK button. Lines are separated by '\n'.
    virtual void notice(std::string_view text, std::string_view caption = kNoticeCaption,
                        Shown shown = Shown::InteractiveOnly) = 0;

    // A question with Yes and No; true for Yes.
    [[nodiscard]] virtual bool confirm(std::string_view text,
                                       std::string_view caption = kWarningCaption) = 0;

    // A question with Yes and No before something is deleted or erased; true
    // for Yes. No is the default answer, so Enter keeps everything. An
    // interaction without buttons need not override it: it is asked as
    // confirm() is.
    [[nodiscard]] virtual bool confirmDestructive(std::string_view text,
                                                  std::string_view caption = kWarningCaption) {
        return confirm(text, caption);
    }

    // A question with OK and Cancel; true for OK.
    [[nodiscard]] virtual bool okOrCancel(std::string_view text, std::string_view caption) = 0;

    // A question with Retry and Cancel; true for Retry.
    [[nodiscard]] virtual bool retryOrCancel(std::string_view text, std::string_view caption) = 0;

    // The status bar text.
    virtual void status(std::string_view text) = 0;

    // The busy (hourglass) pointer on or off.
    virtual void busy(bool on) = 0;

    // Lets pending window events run (repaints, a click on Stop) and tells
    // whether a stop was requested since the work began.
    virtual bool keepResponsive() = 0;

    // True for a run without a user: no windows, no questions.
    virtual bool unattended() const = 0;
};

// Sets the busy pointer for the life of the object.
class BusyPointer {
  public:
    explicit BusyPointer(Interaction& user) : user_(user) { user_.busy(true); }
    ~BusyPointer() { user_.busy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    Interaction& user_;
};

// The unattended run: nothing is shown except messages marked Shown::Always,
// which go to standard error. Questions get the answer that changes nothing
// (No, Cancel); a stop is never requested.
class UnattendedInteraction final : public Interaction {
  public:
    // program names the messages on standard error ("quorvane: ...").
    explicit UnattendedInteraction(std::string program = "quorvane")
        : program_(std::move(program)) {}

    void notice(std::string_view text, std::string_view caption, Shown shown) override;
    bool confirm(std::string_view text, std::string_view caption) override;
    bool confirmDestructive(std::string_view text, std::string_view caption) override;
    bool okOrCancel(std::string_view text, std::string_view caption) override;
    bool retryOrCancel(std::string_view text, std::string_view caption) override;
    void status(std::string_view) override {}
    void busy(bool) override {}
    bool keepResponsive() override { return false; }
    bool unattended() const override { return true; }

  private:
    std::string program_;
};

}  // namespace quor
