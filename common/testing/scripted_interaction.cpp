#include "common/testing/scripted_interaction.h"

namespace quor::testing {

std::vector<std::string> ScriptedInteraction::texts() const {
    std::vector<std::string> out;
    for (const ShownBox& box : boxes_) {
        out.push_back(box.text);
    }
    return out;
}

void ScriptedInteraction::notice(std::string_view text, std::string_view caption, Shown shown) {
    boxes_.push_back({Box::Notice, std::string(text), std::string(caption), shown});
}

bool ScriptedInteraction::ask(Box box, std::string_view text, std::string_view caption,
                              bool defaultNo) {
    boxes_.push_back(
        {box, std::string(text), std::string(caption), Shown::InteractiveOnly, defaultNo});
    if (answers_.empty()) {
        ++unscripted_;
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

bool ScriptedInteraction::confirm(std::string_view text, std::string_view caption) {
    return ask(Box::Confirm, text, caption);
}

bool ScriptedInteraction::confirmDestructive(std::string_view text, std::string_view caption) {
    return ask(Box::Confirm, text, caption, true);
}

bool ScriptedInteraction::okOrCancel(std::string_view text, std::string_view caption) {
    return ask(Box::OkOrCancel, text, caption);
}

bool ScriptedInteraction::retryOrCancel(std::string_view text, std::string_view caption) {
    return ask(Box::RetryOrCancel, text, caption);
}

bool ScriptedInteraction::keepResponsive() {
    ++polls_;
    return stopAtPoll_ > 0 && polls_ >= stopAtPoll_;
}

}  // namespace quor::testing
