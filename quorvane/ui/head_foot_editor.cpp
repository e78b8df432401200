#include "quorvane/ui/head_foot_editor.h"

#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QVBoxLayout>

#include "common/file_io.h"
#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/window_placement.h"
#include "platform/default_application.h"
#include "quorvane/store/app_placement_settings.h"

namespace quor::ui {

namespace {

struct TextKind {
    std::string_view caption;
    std::string_view prompt;
    std::string_view failure;
};

TextKind kindOf(ListText which) {
    if (which == ListText::Header) {
        return {"Header Text", "Enter the text you want displayed at the beginning of the list:",
                "There was a problem opening the header file!\nGo to the Options menu, and "
                "choose Header Text to edit."};
    }
    return {"Footer Text", "Enter the text you want displayed at the end of the list:",
            "There was a problem opening the footer file!"};
}

std::filesystem::path fileOf(const store::ListContext& context, ListText which) {
    return which == ListText::Header ? context.places.headerFile() : context.places.footerFile();
}

// The smallest editor window, in twips.
const QSize kEditorMinimumTwips(3000, 1500);

}  // namespace

std::string editableText(std::string_view contents) {
    std::string text;
    text.reserve(contents.size());
    for (std::size_t i = 0; i < contents.size(); ++i) {
        if (contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') {
            continue;
        }
        text += contents[i];
    }
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

std::string fileContentsForText(std::string_view text) {
    std::string contents;
    contents.reserve(text.size() + 16);
    for (const char c : text) {
        if (c == '\n') {
            contents += "\r\n";
        } else if (c != '\r') {
            contents += c;
        }
    }
    return contents + "\r\n";
}

HeadFootEditor::HeadFootEditor(store::ListContext& context, ListText which, const std::string& text,
                               QWidget* parent)
    : QDialog(parent), context_(context), which_(which) {
    setObjectName("frmHeadFoot");
    const TextKind kind = kindOf(which);
    setWindowTitle(qtext(kind.caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(qtext(kind.prompt), this);
    prompt->setObjectName("Label1");
    layout->addWidget(prompt);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("txtFile");
    text_->setPlainText(qtext(text));
    prompt->setBuddy(text_);
    layout->addWidget(text_, 1);
    const OkCancelButtons buttons =
        addOkCancelButtons(*this, *layout, {"Command1", "OK", "Changes will be saved"},
                           {"Command2", "Cancel", "Changes will not be saved"});
    connect(buttons.ok, &QPushButton::clicked, this, &HeadFootEditor::okClicked);
    // An unusable stored placement (or a store that cannot be read) opens
    // the editor at its default place; closing stores a good one.
    bool placed = false;
    try {
        placed = restorePlacement(*this, store::AppPlacementSettings(context_.settings()),
                                  kHeadFootPlacement, kEditorMinimumTwips)
                     .ok();
    } catch (const store::StoreError&) {
        placed = false;
    }
    if (!placed) {
        restoreDefaultPlacement(*this, kHeadFootPlacement, kEditorMinimumTwips);
    }
}

void HeadFootEditor::okClicked() {
    const std::filesystem::path file = fileOf(context_, which_);
    if (Status written = writeFileAtomically(file, fileContentsForText(utf8(text_->toPlainText())));
        !written) {
        context_.user.notice(kindOf(which_).failure, written.error());
        return;
    }
    accept();
}

void HeadFootEditor::done(int result) {
    try {
        store::AppPlacementSettings settings(context_.settings());
        storePlacement(*this, settings, kHeadFootPlacement);
    } catch (const store::StoreError&) {
        // Only the placement is lost; the text was saved or cancelled already.
    }
    QDialog::done(result);
}

void editListText(store::ListContext& context, const WindowServices& services, ListText which,
                  QWidget* parent) {
    const std::filesystem::path file = fileOf(context, which);
    if (isRegularFile(file) && services.openUrl(QUrl::fromLocalFile(qtext(file.string())))) {
        return;
    }
    std::string text;
    {
        BusyPointer busy(context.user);
        Status made = isRegularFile(file) ? Status::success() : writeFileAtomically(file, "");
        Result<std::string> contents =
            made ? readFile(file) : Result<std::string>(Error{made.error()});
        if (!contents) {
            context.user.notice(kindOf(which).failure, "Quorvane");
            return;
        }
        text = editableText(*contents);
    }
    HeadFootEditor editor(context, which, text, parent);
    services.runDialog(editor);
}

QStringList graphicalEditorCommand(const QString& visual, const QString& editor) {
    static const QStringList terminalEditors = {
        "vi",   "vim",   "nvim", "nano", "pico", "emacs", "ed",    "ex",     "joe",  "jed",
        "jove", "micro", "mg",   "ne",   "kak",  "hx",    "helix", "mcedit", "zile", "busybox"};
    for (const QString& candidate : {visual, editor}) {
        const QStringList command = QProcess::splitCommand(candidate);
        if (command.isEmpty()) {
            continue;
        }
        if (!terminalEditors.contains(QFileInfo(command.first()).fileName())) {
            return command;
        }
    }
    return {};
}

std::string missingTemplateText(const std::filesystem::path& programFolder) {
    return "There was a problem opening " + (programFolder / "Template.html").string() +
           "\nCreate an HTML page called Template.html that includes the following comments:\n"
           "<!--header-->\n<!--list-->\n<!--footer-->\n"
           "These can be anywhere in your HTML file, but must be on a line by themselves.\n"
           "These comments will tell Quorvane where to insert the list data.";
}

namespace {

// Starts command (the program, then its arguments); false when it is empty
// or could not be started.
bool startCommand(const WindowServices& services, QStringList command) {
    if (command.isEmpty()) {
        return false;
    }
    const QString program = command.takeFirst();
    return services.startDetached(program, command);
}

// The desktop's default application for plain text, with path; empty when
// there is none.
QStringList plainTextApplication(const QString& path) {
    QStringList command;
    const auto found = platform::defaultApplicationCommand("text/plain", utf8(path),
                                                           platform::XdgFolders::fromEnvironment());
    for (const std::string& word : found.value_or(std::vector<std::string>{})) {
        command << qtext(word);
    }
    return command;
}

}  // namespace

void editHtmlTemplate(store::ListContext& context, const WindowServices& services) {
    const std::filesystem::path file = context.places.templateFile();
    if (isRegularFile(file)) {
        const QString path = qtext(file.string());
        QStringList editor =
            graphicalEditorCommand(qEnvironmentVariable("VISUAL"), qEnvironmentVariable("EDITOR"));
        if (!editor.isEmpty()) {
            editor << path;
        }
        if (startCommand(services, editor) || startCommand(services, plainTextApplication(path)) ||
            services.openUrl(QUrl::fromLocalFile(path))) {
            return;
        }
    }
    context.user.notice(missingTemplateText(context.places.programFolder()), "Quorvane");
}

}  // namespace quor::ui
