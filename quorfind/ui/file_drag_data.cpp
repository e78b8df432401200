// The drag data of result rows: the same paths in three formats, built from
// the file names' bytes (never through QString, which would replace bytes
// that are not UTF-8).

#include <QByteArray>

#include "quorfind/actions/copy_drag.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

namespace {

// One file:// address, without the line end of a uri-list.
std::string fileUri(const std::string& path) {
    std::string uri = uriList({path});
    uri.resize(uri.size() - 2);
    return uri;
}

}  // namespace

QMimeData* fileDragData(const std::vector<std::string>& paths) {
    auto* data = new QMimeData;
    if (paths.empty()) {
        return data;
    }
    std::string copied = "copy";
    std::string plain;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        copied += '\n' + fileUri(paths[i]);
        plain += (i == 0 ? "" : "\n") + paths[i];
    }
    data->setData("text/uri-list", QByteArray::fromStdString(uriList(paths)));
    data->setData("x-special/gnome-copied-files", QByteArray::fromStdString(copied));
    data->setData("text/plain", QByteArray::fromStdString(plain));
    return data;
}

}  // namespace quor::find::ui
