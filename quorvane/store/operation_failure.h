#pragma once

// How a described operation (savelist, loadlist, makelist, ...) tells that
// it failed: one message box with the operation's text ("There was a
// problem saving the list! (savelist)") and the cause as its caption. An
// unattended run shows it on standard error when it is marked Shown::Always.

#include <functional>
#include <string_view>

#include "common/interaction.h"
#include "common/result.h"

namespace quor::store {

// The failure box of one operation.
struct FailureBox {
    std::string_view text;
    Shown shown = Shown::InteractiveOnly;
};

// Shows box with cause as its caption.
void showFailure(Interaction& user, const FailureBox& box, std::string_view cause);

// The error work returns, or the text of what an operation may throw on
// the way: StoreError from the settings store, std::system_error when a
// worker thread cannot start, std::bad_alloc when memory runs out, and any
// other std::exception.
[[nodiscard]] Status statusOf(const std::function<Status()>& work);

// Runs work and shows box when it fails (statusOf). True when work
// succeeded; a caller that only needs the box told may ignore it.
[[nodiscard]] bool runOperation(Interaction& user, const FailureBox& box,
                                const std::function<Status()>& work);

}  // namespace quor::store
