#include "platform/players.h"

#include <algorithm>
#include <array>
#include <cctype>

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

// Extensions of the sound and playlist files that audio players take.
constexpr std::array<std::string_view, 40> kAudioExtensions{
    "aac",  "ac3", "aif", "aifc", "aiff", "amr", "ape", "au",  "caf",  "dts",
    "flac", "it",  "kar", "m3u",  "m3u8", "m4a", "m4b", "mid", "midi", "mka",
    "mod",  "mp1", "mp2", "mp3",  "mpa",  "mpc", "oga", "ogg", "opus", "pls",
    "ra",   "s3m", "snd", "spx",  "tta",  "wav", "wma", "wv",  "xm",   "xspf"};

}  // namespace

bool isAudioFile(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || name.size() - dot - 1 > 4) {
        return false;
    }
    std::string extension(name.substr(dot + 1));
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return std::find(kAudioExtensions.begin(), kAudioExtensions.end(), extension) !=
           kAudioExtensions.end();
}

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
