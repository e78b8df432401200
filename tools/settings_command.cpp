#include "tools/settings_command.h"

#include <array>

namespace quor::tools {

namespace {

struct VerbForm {
    std::string_view word;
    SettingsVerb verb;
    std::size_t fewestOperands;
    std::size_t mostOperands;
};

constexpr std::array<VerbForm, 6> kForms{{
    {"get", SettingsVerb::Get, 3, 3},
    {"set", SettingsVerb::Set, 4, 4},
    {"add-folder", SettingsVerb::AddFolder, 1, 2},
    {"folders", SettingsVerb::Folders, 0, 0},
    {"--help", SettingsVerb::Help, 0, 0},
    {"-h", SettingsVerb::Help, 0, 0},
}};

}  // namespace

std::optional<SettingsCommand> parseSettingsCommand(const std::vector<std::string>& args) {
    if (args.empty()) {
        return std::nullopt;
    }
    const std::size_t operands = args.size() - 1;
    for (const VerbForm& form : kForms) {
        if (args[0] == form.word && operands >= form.fewestOperands &&
            operands <= form.mostOperands) {
            return SettingsCommand{form.verb, {args.begin() + 1, args.end()}};
        }
    }
    return std::nullopt;
}

}  // namespace quor::tools
