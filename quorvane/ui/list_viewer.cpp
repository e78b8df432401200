#include "quorvane/ui/list_viewer.h"

#include <QFontDatabase>
#include <QVBoxLayout>

#include "common/qt/bring_forward.h"
#include "common/qt/dialog_buttons.h"
#include "quorvane/ui/tool_window.h"

namespace quor::ui {

namespace {

// The smallest viewer, in twips: only its height has a floor.
const QSize kViewerMinimumTwips(0, 1200);

}  // namespace

ListViewer::ListViewer(store::SettingsStore& store, Interaction& user, QWidget* parent)
    : QDialog(parent), store_(store), user_(user) {
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
    addCloseButton(*this, *layout, {"Command1", "&Close"}, BoxPlace::Centred);
}

void ListViewer::showText(const QString& caption, const QString& text) {
    if (!placed_) {
        placed_ = true;
        restorePlacementOrTell(*this, store_, user_, kViewListPlacement, kViewerMinimumTwips);
    }
    setWindowTitle(caption);
    text_->setPlainText(text);
    bringForward(*this);
}

void ListViewer::done(int result) {
    if (isVisible()) {
        storePlacementOrTell(*this, store_, user_, kViewListPlacement);
    }
    QDialog::done(result);
}

}  // namespace quor::ui
