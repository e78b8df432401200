#pragma once

// Closing a window whose long work lets window events run (a search, a
// build): the window must not go away under that work. A close asked for
// while the work runs is remembered and the work is asked to stop; the
// window closes once the work has returned. The first close that goes ahead
// stores the window's settings, once.

#include <QCloseEvent>
#include <QWidget>
#include <functional>

namespace quor::ui {

class CloseWhenIdle {
  public:
    // From the window's closeEvent. True when the window closes now (the
    // event is accepted); otherwise the event is ignored and stop called.
    bool handle(QCloseEvent& event, bool working, const std::function<void()>& stop,
                const std::function<void()>& storeOnce) {
        if (working) {
            asked_ = true;
            if (stop) {
                stop();
            }
            event.ignore();
            return false;
        }
        if (!stored_) {
            storeOnce();
            stored_ = true;
        }
        event.accept();
        return true;
    }

    // After the work has returned: closes window when a close was asked for
    // meanwhile.
    void closeIfAsked(QWidget& window) {
        if (asked_) {
            asked_ = false;
            window.close();
        }
    }

  private:
    bool asked_ = false;
    bool stored_ = false;
};

}  // namespace quor::ui
