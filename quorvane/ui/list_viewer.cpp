#include "quorvane/ui/list_viewer.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "quorvane/ui/dialog_buttons.h"
#include "quorvane/ui/tool_window.h"

namespace quor::ui {

namespace {

// The smallest viewer, in twips: only its height has a floor.
const QSize kViewerMinimumTwips(0, 1200);

}  // namespace

ListViewer::ListViewer(store::SettingsStore& store, Interaction& ui, QWidget* parent)
    : QDialog(parent), store_(store), ui_(ui) {
    setObjectName("frmRecentList");
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("txtFile");
    text_->setAccessibleName("Files of the disk");
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));  // columns line up
    layout->addWidget(text_, 1);
    auto* row = new QHBoxLayout;
    QPushButton* close = namedButton(this, "btnClose", "&Close");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    row->addStretch(1);
    row->addWidget(close);
    row->addStretch(1);
    layout->addLayout(row);
}

void ListViewer::showText(const QString& caption, const QString& text) {
    if (!placed_) {
        placed_ = true;
        restorePlacementOrTell(*this, store_, ui_, kViewListPlacement, kViewerMinimumTwips);
    }
    setWindowTitle(caption);
    text_->setPlainText(text);
    show();
    raise();
    activateWindow();
}

void ListViewer::done(int result) {
    if (isVisible()) {
        storePlacementOrTell(*this, store_, ui_, kViewListPlacement);
    }
    QDialog::done(result);
}

}  // namespace quor::ui
