#include "quorvane/ui/save_list_output.h"

#include "common/names.h"
#include "common/number_text.h"
#include "common/qt/qt_interaction.h"
#include "platform/program_folder.h"
#include "quorvane/store/parse_filename.h"
#include "quorvane/store/quorvane_settings.h"
#include "quorvane/store/saved_lists.h"

namespace quor::ui {

FileRequest saveListOutputRequest(const store::AppSettings& settings,
                                  const std::filesystem::path& home) {
    FileRequest request;
    request.title = "Save List Output As";
    const std::string savePath = settings.get(store::kSavePath);
    const auto slash = savePath.rfind('/');
    if (!savePath.empty() && slash != std::string::npos) {
        request.folder = qtext(savePath.substr(0, slash + 1));
    } else {
        std::string folder = home.string();
        if (folder.empty() || folder.back() != '/') {
            folder += '/';
        }
        request.folder = qtext(folder);
    }
    request.filter = "All Files (*);;" + qtext(kTextFilesFilter) + ";;" + qtext(kHtmlFilesFilter);
    const bool html = settings.get(store::kHtml) != 0;
    request.selectedFilter = qtext(html ? kHtmlFilesFilter : kTextFilesFilter);
    request.defaultSuffix = html ? "html" : "txt";
    return request;
}

std::optional<bool> htmlForExtension(std::string_view path) {
    const std::string name = store::fileNamePart(path);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) {
        return std::nullopt;
    }
    const std::string extension = asciiLower(name.substr(dot + 1));
    if (extension == "html" || extension == "htm") {
        return true;
    }
    if (extension == "txt") {
        return false;
    }
    return std::nullopt;
}

bool saveListOutputAs(store::ListContext& context, const WindowServices& services,
                      QWidget* parent) {
    store::AppSettings settings = context.settings();
    const QString chosen =
        services.chooseSaveFile(parent, saveListOutputRequest(settings, platform::homeFolder()));
    if (chosen.isEmpty()) {
        return false;
    }
    const std::string newPath = utf8(chosen);
    if (Status allowed = context.places.checkListOutputFile(newPath, context.store.file());
        !allowed) {
        context.user.notice(allowed.error(), store::kQuorvane);
        return false;
    }
    // Each shows its own failure; the new output file is chosen either way.
    (void)store::deletesavedlist(context, store::fileNamePart(settings.get(store::kSavePath)));
    settings.save(store::kSavePath, newPath);
    if (const auto html = htmlForExtension(newPath)) {
        settings.save(store::kHtml, *html ? "1" : "0");
    }
    (void)store::savelist(context, store::fileNamePart(newPath));
    return true;
}

}  // namespace quor::ui
