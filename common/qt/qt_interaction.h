#pragma once

// The interaction of the windows: message boxes with the given caption and
// buttons, the status text in a status bar, the busy pointer as the
// application's override cursor. keepResponsive() lets pending events run and
// never asks for a stop: a window with a Stop button uses WindowInteraction.

#include <QPointer>
#include <QStatusBar>
#include <QWidget>

#include "common/interaction.h"

namespace quor::ui {

class QtInteraction final : public Interaction {
  public:
    // Boxes are modal over parent (nullptr: application modal). The status
    // text goes to statusBar when one is set.
    explicit QtInteraction(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtInteraction() override;

    void setParentWindow(QWidget* parent) { parent_ = parent; }
    void setStatusBar(QStatusBar* bar) { statusBar_ = bar; }

    void notice(std::string_view text, std::string_view caption, Shown shown) override;
    bool confirm(std::string_view text, std::string_view caption) override;
    bool confirmDestructive(std::string_view text, std::string_view caption) override;
    bool okOrCancel(std::string_view text, std::string_view caption) override;
    bool retryOrCancel(std::string_view text, std::string_view caption) override;
    void status(std::string_view text) override;
    void busy(bool on) override;
    bool keepResponsive() override;
    bool unattended() const override { return false; }

  private:
    QPointer<QWidget> parent_;
    QPointer<QStatusBar> statusBar_;
    int busyDepth_ = 0;
};

// Text of the core (UTF-8) for Qt, and back.
QString qtext(std::string_view text);
std::string utf8(const QString& text);

}  // namespace quor::ui
