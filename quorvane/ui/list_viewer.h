#pragma once

// The list viewer: a read-only text of many lines (one disk's files) with a
// Close button. It opens where it was last closed ("ViewListLeft",
// "ViewListTop", "ViewListWidth", "ViewListHeight") and stores its place
// again however it is closed, unless minimised.

#include <QDialog>
#include <QPlainTextEdit>

#include "common/interaction.h"
#include "quorvane/store/settings_store.h"

namespace quor::ui {

class ListViewer : public QDialog {
    Q_OBJECT
  public:
    ListViewer(store::SettingsStore& store, Interaction& user, QWidget* parent = nullptr);

    // Shows text under caption; the first time at the stored place.
    void showText(const QString& caption, const QString& text);

    QString text() const { return text_->toPlainText(); }

  public slots:
    void done(int result) override;

  private:
    store::SettingsStore& store_;
    Interaction& user_;
    QPlainTextEdit* text_ = nullptr;
    bool placed_ = false;
};

}  // namespace quor::ui
