#pragma once

// The three ways a file is handed to another program: "open" (the
// desktop's default application), "play" and "enqueue" (the audio player).

#include <string_view>

#include "common/result.h"
#include "quorfind/settings.h"

namespace quor::find {

class Launcher {
  public:
    virtual ~Launcher() = default;
    virtual Status open(std::string_view path) = 0;
    virtual Status play(std::string_view path) = 0;
    virtual Status enqueue(std::string_view path) = 0;
};

// The launcher of this desktop: xdg-open, and the player of "PlayCommand"
// and "EnqueueCommand" (read at every use), else the installed one.
class DesktopLauncher final : public Launcher {
  public:
    explicit DesktopLauncher(const FindSettings& settings) : settings_(settings) {}
    Status open(std::string_view path) override;
    Status play(std::string_view path) override;
    Status enqueue(std::string_view path) override;

  private:
    const FindSettings& settings_;
};

}  // namespace quor::find
