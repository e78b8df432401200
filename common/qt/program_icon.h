#pragma once

// The programs' window icons. A desktop theme that knows the program (an
// installed program's icon in hicolor) decides; otherwise the picture
// installed beside the programs is used (a build tree keeps its own copy), and
// when this Qt cannot draw that picture either (no SVG support), a picture
// drawn here, so a window never shows the generic icon.

#include <QIcon>
#include <QString>
#include <filesystem>

namespace quor::ui {

// The theme's icon called name; else bundledFile when it exists and can be
// read as an image; else drawn.
QIcon programIcon(const QString& name, const std::filesystem::path& bundledFile,
                  const QIcon& drawn);

// The same with the picture installed as help/images/<name>.svg.
QIcon programIcon(const QString& name, const QIcon& drawn);

// The drawn picture of quorvane: a list standing in a folder.
QIcon drawnQuorvaneIcon();

}  // namespace quor::ui
