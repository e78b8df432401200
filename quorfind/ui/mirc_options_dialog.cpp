// "Advanced Mirc Options": the IRC client's service name and the command
// template of a DCC send, stored only on OK.

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/store_guard.h"
#include "quorfind/ui/dialog_parts.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

namespace {

using quor::ui::qtext;
using quor::ui::storeGuarded;
using quor::ui::utf8;

constexpr const char* kTemplateExplanation =
    "&Command to send to Mirc for the right-click DCC send menu item. You can use any valid "
    "Mirc command or alias here. Insert %N for an IRC nickname, %F for just the filename(s) "
    "selected or %P for the full DOS path of the filename(s) selected. Example: /DCC send %N "
    "%P will send the selected files by DCC to an IRC user.";

// What the service name means on this system (see platform/irc_link.h).
constexpr const char* kLinuxClients =
    "On Linux the service name chooses the IRC client: mIRC or hexchat for HexChat, weechat "
    "for WeeChat (with its fifo plugin loaded), or the path of a WeeChat fifo pipe.";

class MircOptionsDialog : public QDialog {
  public:
    MircOptionsDialog(FindSettings& settings, Interaction& user, QWidget* parent)
        : QDialog(parent), settings_(settings), user_(user) {
        setObjectName("frmMircOptions");
        setWindowTitle("Advanced Mirc Options");
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        service_ =
            addLabelledBox(*this, *layout, "Mirc DDE &Service name:", "txtDDEServiceName").box;
        for (const char* note : {"Make sure the DDE server is enabled!",
                                 "Check the Mirc File/Options/Servers menu.", kLinuxClients}) {
            addNote(*layout, note);
        }
        layout->addSpacing(8);
        const LabelledBox sendString =
            addLabelledBox(*this, *layout, kTemplateExplanation, "txtDDESendString");
        sendString.label->setWordWrap(true);
        template_ = sendString.box;
        template_->setAccessibleName("Command to send to Mirc");
        const quor::ui::OkCancelButtons buttons = quor::ui::addOkCancelButtons(*this, *layout);
        connect(buttons.ok, &QPushButton::clicked, this, [this] { okClicked(); });
        showStoredOptions();
        setMinimumWidth(460);
    }

  private:
    void addNote(QVBoxLayout& layout, const char* text) {
        auto* note = new QLabel(text, this);
        note->setWordWrap(true);
        layout.addWidget(note);
    }

    void showStoredOptions() {
        (void)storeGuarded(user_, "The Mirc options could not be read.", [this] {
            service_->setText(qtext(settings_.serviceName()));
            template_->setText(qtext(settings_.sendTemplate()));
        });
    }

    // Empty boxes get their defaults back, in the dialog as in the store. A
    // store that fails keeps the dialog open with what was typed.
    void okClicked() {
        if (service_->text().isEmpty()) {
            service_->setText(qtext(kDdeServiceName.fallback));
        }
        if (template_->text().isEmpty()) {
            template_->setText(qtext(kDdeSendString.fallback));
        }
        const bool stored = storeGuarded(user_, "The Mirc options could not be saved.", [this] {
            settings_.saveIrcOptions(utf8(service_->text()), utf8(template_->text()));
        });
        if (stored) {
            accept();
        }
    }

    FindSettings& settings_;
    Interaction& user_;
    QLineEdit* service_ = nullptr;
    QLineEdit* template_ = nullptr;
};

}  // namespace

void runMircOptionsDialog(QWidget* parent, FindSettings& settings, Interaction& user) {
    MircOptionsDialog dialog(settings, user, parent);
    dialog.exec();
}

void runMircOptionsDialog(QWidget* parent, FindSettings& settings) {
    quor::ui::QtInteraction user(parent);
    runMircOptionsDialog(parent, settings, user);
}

}  // namespace quor::find::ui
