#pragma once

// What the tool windows of the main window share: their placement, read
// and stored with a notice instead of a failure (a tool window opens at its
// default place when the stored one cannot be used), and the opener that
// shows one window per kind, brought forward when it is open already.

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>

#include "common/interaction.h"
#include "common/qt/bring_forward.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/window_placement.h"
#include "quorvane/store/settings_store.h"
#include "quorvane/ui/main_window.h"

namespace quor::ui {

// The message boxes of a tool window: the interaction it was given (tests
// give a scripted one), or boxes of its own over the window.
class ToolBoxes {
  public:
    ToolBoxes(Interaction* given, QWidget* window)
        : own_(given != nullptr ? nullptr : std::make_unique<QtInteraction>(window)),
          boxes_(given != nullptr ? *given : *own_) {}
    Interaction& get() { return boxes_; }

  private:
    std::unique_ptr<QtInteraction> own_;
    Interaction& boxes_;
};

// restorePlacement; when the stored place is unusable the window opens at
// its default place and the user is told why.
void restorePlacementOrTell(QWidget& window, store::SettingsStore& store, Interaction& user,
                            const PlacementKeys& keys, QSize minimumTwips);
// storePlacement, telling the user when the store fails.
void storePlacementOrTell(const QWidget& window, store::SettingsStore& store, Interaction& user,
                          const PlacementKeys& keys);

// The command that opens the tool window made by make() over main, or
// brings the open one forward. The window is loaded (Window::load) and
// shown, deletes itself when closed and is abandoned (Window::abandon, no
// closing steps) when main closes.
template <typename Window>
std::function<void()> toolWindowOpener(MainWindow& main, std::function<Window*()> make) {
    auto open = std::make_shared<QPointer<Window>>();
    return [&main, make = std::move(make), open] {
        if (Window* window = *open) {
            bringForward(*window);
            return;
        }
        Window* window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(&main, &MainWindow::closed, window, &Window::abandon);
        *open = window;
        window->load();
        window->show();
    };
}

}  // namespace quor::ui
