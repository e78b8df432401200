// The main window's commands that reach other windows and programs: the
// output file, the search program, the list viewer, help, the preference
// dialogs, the text editors and the About box.

#include "common/file_io.h"
#include "common/qt/help_page.h"
#include "common/qt/qt_interaction.h"
#include "platform/program_folder.h"
#include "quorvane/store/quorfind_settings.h"
#include "quorvane/store/quorvane_settings.h"
#include "quorvane/ui/about_box.h"
#include "quorvane/ui/head_foot_editor.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/perform_dialog.h"
#include "quorvane/ui/preferences_dialog.h"
#include "quorvane/ui/save_list_output.h"

namespace quor::ui {

void MainWindow::saveListOutputAs() {
    if (refusedWhileBuilding()) {
        return;
    }
    bool chosen = false;
    guarded([&] { chosen = ui::saveListOutputAs(context_, services_, this); });
    if (chosen) {
        refreshListLabel();
    }
}

void MainWindow::search() {
    guarded([&] {
        const std::string savePath = context_.settings().get(store::kSavePath);
        store::AppSettings quorfind(context_.store, store::kQuorfind);
        quorfind.save(store::quorfind::kLocalList, savePath);
        quorfind.save(store::quorfind::kListType, "0");
    });
    const QString program = services_.findProgram ? services_.findProgram("quorfind") : QString();
    if (program.isEmpty() || !services_.startDetached(program, {})) {
        context_.user.notice(
            "Quorfind was not found!\nMake sure quorfind exists in the same folder as quorvane",
            "Quorvane");
    }
}

void MainWindow::viewThisList() {
    std::string savePath;
    guarded([&] { savePath = context_.settings().get(store::kSavePath); });
    if (savePath.empty() || !isRegularFile(savePath)) {
        context_.user.notice("You must create a list first!");
        return;
    }
    // The reason goes on a line of its own below the usual text.
    if (const Status opened = services_.openFile(savePath); !opened) {
        context_.user.notice(
            "There was a problem opening the list! (Toolsmostrecent)\n" + opened.error(),
            "No application could open " + savePath);
    }
}

void MainWindow::showHelp() {
    const QString page = helpPage();
    if (page.isEmpty() || !services_.openUrl(QUrl::fromLocalFile(page))) {
        context_.user.notice(
            "There was a problem opening the help file. Please go to the Quorvane folder\nand "
            "open the help page to view help.");
    }
}

void MainWindow::showAbout() {
    AboutBox about(this);
    services_.runDialog(about);
}

void MainWindow::listPreferences() {
    guarded([&] {
        PreferencesDialog dialog(context_.settings(), context_.user, services_, this);
        services_.runDialog(dialog);
    });
    refreshListLabel();
}

void MainWindow::actionAfterListCreation() {
    guarded([&] {
        PerformDialog dialog(context_.settings(), context_.user, this);
        services_.runDialog(dialog);
    });
}

void MainWindow::editHeaderText() {
    guarded([&] { editListText(context_, services_, ListText::Header, this); });
}

void MainWindow::editFooterText() {
    guarded([&] { editListText(context_, services_, ListText::Footer, this); });
}

void MainWindow::editHtmlTemplate() {
    guarded([&] { ui::editHtmlTemplate(context_, services_); });
}

}  // namespace quor::ui
