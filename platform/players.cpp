#include "platform/players.h"

#include "platform/process_start.h"
#include "platform/shell_open.h"

namespace quor::platform {

namespace {

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
            }
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string replaceAll(std::string word, std::string_view token, std::string_view value) {
    for (std::size_t at = word.find(token); at != std::string::npos;
         at = word.find(token, at + value.size())) {
        word.replace(at, token.size(), value);
    }
    return word;
}

}  // namespace

std::vector<std::string> commandFromTemplate(std::string_view commandTemplate,
                                             std::string_view path) {
    const std::string argument = pathArgument(path);
    std::vector<std::string> words = splitWords(commandTemplate);
    bool placed = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i].find("%F") != std::string::npos) {
            words[i] = replaceAll(words[i], "%F", argument);
            placed = true;
        }
    }
    if (!words.empty() && !placed) {
        words.push_back(argument);
    }
    return words;
}

std::optional<std::vector<std::string>> fallbackPlayerCommand(PlayerVerb verb,
                                                              std::string_view path,
                                                              const InstalledCheck& installed) {
    const std::string argument = pathArgument(path);
    const bool play = verb == PlayerVerb::Play;
    if (installed("audacious")) {
        return std::vector<std::string>{"audacious", play ? "-p" : "-e", argument};
    }
    if (installed("vlc")) {
        return std::vector<std::string>{"vlc", "--one-instance",
                                        play ? "--play-and-exit" : "--playlist-enqueue", argument};
    }
    if (play && installed("xdg-open")) {
        return shellOpenCommand(path);
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> playerCommand(PlayerVerb verb,
                                                      std::string_view commandTemplate,
                                                      std::string_view path,
                                                      const InstalledCheck& installed) {
    std::vector<std::string> command = commandFromTemplate(commandTemplate, path);
    if (!command.empty()) {
        return command;
    }
    if (installed) {
        return fallbackPlayerCommand(verb, path, installed);
    }
    return fallbackPlayerCommand(
        verb, path, [](std::string_view name) { return findExecutable(name).has_value(); });
}

}  // namespace quor::platform
