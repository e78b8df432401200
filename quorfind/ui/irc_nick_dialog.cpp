// "IRC nick": who receives the DCC send.

#include <QDialog>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "quorfind/dcc/dcc_send.h"
#include "quorfind/ui/dialog_parts.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

using quor::ui::qtext;
using quor::ui::utf8;

std::string askIrcNickname(QWidget* parent, const std::string& current) {
    QDialog dialog(parent);
    dialog.setObjectName("frmIRCnick");
    dialog.setWindowTitle(qtext(kIrcNickCaption));
    dialog.setModal(true);
    auto* layout = new QVBoxLayout(&dialog);
    QLineEdit* nick = addLabelledBox(dialog, *layout, "&" + qtext(kIrcNickLabel), "txtIRCNick").box;
    nick->setText(qtext(current));
    nick->selectAll();
    nick->setFocus();
    const quor::ui::OkCancelButtons buttons = quor::ui::addOkCancelButtons(dialog, *layout);
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.setMinimumWidth(300);
    // Cancel, Escape and the close box all give no nickname.
    return dialog.exec() == QDialog::Accepted ? utf8(nick->text()) : std::string();
}

}  // namespace quor::find::ui
