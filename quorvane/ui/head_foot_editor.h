#pragma once

// The header and footer texts of the list (header.txt and footer.txt of the
// program folder): their small editor window, and the commands that open a
// text, or the page template, for editing.

#include <QDialog>
#include <QPlainTextEdit>
#include <filesystem>
#include <string>

#include "common/interaction.h"
#include "quorvane/store/list_context.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

enum class ListText { Header, Footer };

// Editor of one of the two texts. OK replaces the file atomically (the text
// with CR LF line ends, followed by one CR LF) and closes; a file that cannot
// be written is reported and the window stays open with the text.
class HeadFootEditor : public QDialog {
    Q_OBJECT
  public:
    HeadFootEditor(store::ListContext& context, ListText which, const std::string& text,
                   QWidget* parent = nullptr);

    QPlainTextEdit* textBox() const { return text_; }

  public slots:
    void okClicked();

  protected:
    void done(int result) override;

  private:
    store::ListContext& context_;
    ListText which_;
    QPlainTextEdit* text_ = nullptr;
};

// The file's text for the editor: CR LF and LF both end a line, and the one
// line end after the last line is not part of the text.
std::string editableText(std::string_view fileContents);
// The file contents for a text from the editor.
std::string fileContentsForText(std::string_view text);

// Edit Header Text / Edit Footer Text: an existing file is opened with the
// desktop's default application; a missing file (created empty), or one the
// desktop could not open, is edited in the editor window.
void editListText(store::ListContext& context, const WindowServices& services, ListText which,
                  QWidget* parent);

// How a document is edited: $VISUAL, else $EDITOR, when it names a graphical
// editor; else nothing (then the desktop's application for plain text is
// used). The command is split into program and arguments as a shell would.
QStringList graphicalEditorCommand(const QString& visual, const QString& editor);

// Edit HTML Template: the program folder's Template.html with the editor
// above, else with the desktop's default application for plain text (a web
// page would otherwise go to the browser, which cannot edit it), else
// opened; when it is missing or nothing works, the message that tells how to
// make one.
void editHtmlTemplate(store::ListContext& context, const WindowServices& services);

// The message about a missing or unusable page template.
std::string missingTemplateText(const std::filesystem::path& programFolder);

}  // namespace quor::ui
