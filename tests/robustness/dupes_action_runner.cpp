// A test helper: one action of the Duplicate Files window on one row, in a
// process of its own, so that a test can kill it anywhere. The user says
// Yes to every question and Cancel when asked to insert a disk (there is
// none); what is shown goes to standard error.
//
//   dupes_action_runner delete STORED_NAME
//   dupes_action_runner rename STORED_NAME NEW_NAME
//
// Exit status 0 when the action was done, 1 otherwise.

#include <iostream>
#include <string>

#include "platform/program_folder.h"
#include "quorvane/dupes/row_actions.h"
#include "quorvane/dupes/stored_name.h"
#include "quorvane/store/settings_store.h"

using namespace quor;

namespace {

class AgreeingUser final : public Interaction {
  public:
    void notice(std::string_view text, std::string_view caption, Shown) override {
        std::cerr << text << " (" << caption << ")\n";
    }
    bool confirm(std::string_view, std::string_view) override { return true; }
    bool okOrCancel(std::string_view, std::string_view) override { return false; }
    bool retryOrCancel(std::string_view, std::string_view) override { return false; }
    void status(std::string_view) override {}
    void busy(bool) override {}
    bool keepResponsive() override { return false; }
    bool unattended() const override { return false; }
};

class FixedName final : public dupes::RenameDialog {
  public:
    explicit FixedName(std::string name) : name_(std::move(name)) {}
    std::optional<std::string> ask(std::string_view) override { return name_; }

  private:
    std::string name_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2 || (args[0] == "rename" && args.size() != 3)) {
        std::cerr << "usage: dupes_action_runner delete|rename STORED_NAME [NEW_NAME]\n";
        return 2;
    }
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        std::cerr << opened.error() << '\n';
        return 1;
    }
    AgreeingUser user;
    const store::ListContext context{**opened, store::Places::forThisUser(), user};
    dupes::DupesRows rows;
    rows.add(dupes::displayForm(args[1]), args[1]);
    dupes::ActionOutcome outcome = dupes::ActionOutcome::Nothing;
    if (args[0] == "delete") {
        outcome = dupes::deleteRow(context, rows, 0);
    } else {
        FixedName dialog(args[2]);
        outcome = dupes::renameRow(context, rows, 0, dialog);
    }
    return outcome == dupes::ActionOutcome::Done ? 0 : 1;
}
