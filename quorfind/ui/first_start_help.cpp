// The help box of the very first start.

#include <QLabel>
#include <QMessageBox>
#include <algorithm>

#include "common/qt/qt_interaction.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

std::string firstStartHelpText(const std::filesystem::path& listsFolder) {
    return "Welcome to Quorfind 3.2! - The list searching companion to Quorvane\n"
           "\n"
           "By default you will be searching your own list. To search any text file, go to the "
           "FILE menu and choose\n"
           "\"Search Any Text List\". To search multiple lists at once, copy a few text lists "
           "into the\n" +
           listsFolder.string() +
           " folder, then choose \"Search Lists Folder\" from the FILE menu.\n"
           "To search your list again, go to the FILE menu and choose \"Search Your List(s)\".\n"
           "\n"
           "The OPTIONS menu allows you to change how Quorfind works.\n"
           "\n"
           "The QUORVANE menu can either launch Quorvane, or update your current Quorvane list.\n"
           "\n"
           "DOUBLE CLICK on any item in the list to open or run it.\n"
           "\n"
           "RIGHT CLICK on any item in the list for further options such as: Open, Queue in "
           "your audio player,\n"
           "DCC send, or Copy the text to the clipboard.\n"
           "\n"
           "You can select multiple lines and then right click. (Hold the Control or Shift keys "
           "while clicking the lines)";
}

void showFirstStartHelp(Interaction& user, const store::Places& places) {
    user.notice(firstStartHelpText(places.listsFolder()), kFirstStartHelpCaption);
}

// The box is made wide enough for its longest line, so that its lines
// break where the text breaks them rather than where the box would.
void showFirstStartHelp(QWidget* parent) {
    const QString text =
        quor::ui::qtext(firstStartHelpText(store::Places::forThisUser().listsFolder()));
    QMessageBox box(QMessageBox::Information, quor::ui::qtext(kFirstStartHelpCaption), text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    if (auto* label = box.findChild<QLabel*>("qt_msgbox_label")) {
        const QFontMetrics metrics(label->font());
        int widest = 0;
        for (const QString& line : text.split('\n')) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
        }
        label->setMinimumWidth(std::min(widest + metrics.averageCharWidth(), 1000));
    }
    box.exec();
}

}  // namespace quor::find::ui
