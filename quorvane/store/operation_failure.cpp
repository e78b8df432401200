#include "quorvane/store/operation_failure.h"

#include <new>
#include <system_error>

#include "quorvane/store/settings_store.h"

namespace quor::store {

void showFailure(Interaction& user, const FailureBox& box, std::string_view cause) {
    user.notice(box.text, cause, box.shown);
}

Status statusOf(const std::function<Status()>& work) {
    try {
        return work();
    } catch (const StoreError& error) {
        return Error{error.what()};
    } catch (const std::system_error& error) {
        return Error{error.what()};
    } catch (const std::bad_alloc& error) {
        return Error{error.what()};
    } catch (const std::exception& error) {
        // Anything else the standard library or ICU's set-up throws (the
        // collation missing, a path that cannot be formed) fails the
        // operation with its box too, instead of ending the program.
        return Error{error.what()};
    }
}

bool runOperation(Interaction& user, const FailureBox& box, const std::function<Status()>& work) {
    const Status done = statusOf(work);
    if (!done) {
        showFailure(user, box, done.error());
    }
    return done.ok();
}

}  // namespace quor::store
