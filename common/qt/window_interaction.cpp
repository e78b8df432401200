#include "common/qt/window_interaction.h"

#include <QCoreApplication>

#include "common/qt/qt_interaction.h"
#include "common/qt/status_text.h"

namespace quor::ui {

WindowInteraction::WindowInteraction(Interaction& boxes, QStatusBar& statusBar)
    : boxes_(boxes), showStatus_([bar = QPointer<QStatusBar>(&statusBar)](const QString& text) {
          if (bar) {
              setStatusText(*bar, text);
          }
      }) {}

void WindowInteraction::beginWork() {
    stopRequested_ = false;
    firstPoll_ = true;
}

void WindowInteraction::status(std::string_view text) {
    if (showStatus_) {
        showStatus_(qtext(text));
    }
}

bool WindowInteraction::keepResponsive() {
    const auto now = std::chrono::steady_clock::now();
    if (firstPoll_ || now - lastEvents_ >= interval_) {
        firstPoll_ = false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        lastEvents_ = std::chrono::steady_clock::now();
    }
    return stopRequested_;
}

}  // namespace quor::ui
