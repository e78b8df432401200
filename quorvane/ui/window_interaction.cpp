#include "quorvane/ui/window_interaction.h"

#include <QCoreApplication>

#include "common/qt/qt_interaction.h"

namespace quor::ui {

void WindowInteraction::beginWork() {
    stopRequested_ = false;
    lastEvents_ = {};
}

void WindowInteraction::status(std::string_view text) {
    if (statusBar_) {
        statusBar_->showMessage(qtext(text));
    }
}

bool WindowInteraction::keepResponsive() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastEvents_ >= kEventInterval) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        lastEvents_ = std::chrono::steady_clock::now();
    }
    return stopRequested_;
}

}  // namespace quor::ui
