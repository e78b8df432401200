// "Quorfind Options": four flags stored when the dialog closes, however it
// is closed, and the way to the mIRC options.

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/store_guard.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

namespace {

class OptionsDialog : public QDialog {
  public:
    OptionsDialog(FindSettings& settings, Interaction& user, QWidget* parent)
        : QDialog(parent), settings_(settings), user_(user) {
        setObjectName("frmOptions");
        setWindowTitle("Quorfind Options");
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        alwaysOnTop_ = addFlag(*layout, "Quorfind window &always on top", "chkAlwaysOnTop");
        includeFolders_ = addFlag(*layout, "Include &folder names in search", "chkIncludeFolders");
        hScrollBar_ = addFlag(*layout, "Include a &horizontal scroll bar", "chkIncludeHScrollBar");
        searchAsYouType_ = addFlag(*layout, "Search as you &type", "chkSearchAsYouType");
        addMircRow(*layout);
        addCloseRow(*layout);
        showStoredFlags();
        setMinimumSize(320, 195);
    }

    // True when the dialog was left through the "Mirc" button.
    bool mircChosen() const { return mircChosen_; }

    // Every way out (Close, Mirc, the close box, Escape) stores the flags.
    void done(int result) override {
        storeFlags();
        QDialog::done(result);
    }

  private:
    QCheckBox* addFlag(QVBoxLayout& layout, const QString& text, const char* name) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(name);
        layout.addWidget(box);
        return box;
    }

    void addMircRow(QVBoxLayout& layout) {
        auto* row = new QHBoxLayout;
        auto* label = new QLabel("Advanced options for Mirc Send", this);
        label->setObjectName("lblMirc");
        auto* mirc = new QPushButton("&Mirc", this);
        mirc->setObjectName("btnMirc");
        mirc->setAutoDefault(false);
        mirc->setAccessibleDescription(label->text());
        row->addWidget(label, 1);
        row->addWidget(mirc);
        layout.addLayout(row);
        connect(mirc, &QPushButton::clicked, this, [this] {
            mircChosen_ = true;
            accept();
        });
    }

    void addCloseRow(QVBoxLayout& layout) {
        quor::ui::addCloseButton(*this, layout, {"btnClose", "Close"});
    }

    void showStoredFlags() {
        (void)quor::ui::storeGuarded(user_, "The options could not be read.", [this] {
            alwaysOnTop_->setChecked(settings_.alwaysOnTop());
            includeFolders_->setChecked(settings_.includeFolders());
            hScrollBar_->setChecked(settings_.includeHScrollBar());
            searchAsYouType_->setChecked(settings_.searchAsYouType());
        });
    }

    void storeFlags() {
        (void)quor::ui::storeGuarded(user_, "The options could not be saved.", [this] {
            store::AppSettings& app = settings_.app();
            app.save(kAlwaysOnTop, alwaysOnTop_->isChecked() ? "1" : "0");
            app.save(kIncludeFolders, includeFolders_->isChecked() ? "1" : "0");
            app.save(kIncludeHScrollBar, hScrollBar_->isChecked() ? "1" : "0");
            app.save(kSearchAsYouType, searchAsYouType_->isChecked() ? "1" : "0");
        });
    }

    FindSettings& settings_;
    Interaction& user_;
    QCheckBox* alwaysOnTop_ = nullptr;
    QCheckBox* includeFolders_ = nullptr;
    QCheckBox* hScrollBar_ = nullptr;
    QCheckBox* searchAsYouType_ = nullptr;
    bool mircChosen_ = false;
};

}  // namespace

void runOptionsDialog(QWidget* parent, FindSettings& settings, Interaction& user) {
    bool mirc = false;
    {
        OptionsDialog dialog(settings, user, parent);
        dialog.exec();
        mirc = dialog.mircChosen();
    }
    if (mirc) {
        runMircOptionsDialog(parent, settings, user);
    }
}

void runOptionsDialog(QWidget* parent, FindSettings& settings) {
    quor::ui::QtInteraction user(parent);
    runOptionsDialog(parent, settings, user);
}

}  // namespace quor::find::ui
