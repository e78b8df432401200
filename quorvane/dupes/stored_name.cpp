#include "quorvane/dupes/stored_name.h"

#include <algorithm>

#include "quorvane/generate/cache_format.h"

namespace quor::dupes {

using generate::decodeCacheName;
using generate::shownName;

StoredNameParts splitStoredName(std::string_view storedName) {
    const std::size_t marker = storedName.find_first_of("*>");
    const std::string_view beforeMarker = storedName.substr(0, marker);
    const std::size_t slash = beforeMarker.rfind('/');
    if (slash == std::string_view::npos) {
        return {{}, storedName};
    }
    return {storedName.substr(0, slash + 1), storedName.substr(slash + 1)};
}

std::string fileNameOfLine(std::string_view cacheLine) {
    return decodeCacheName(generate::splitFileLine(cacheLine).storedName);
}

std::string displayForm(std::string_view storedName) {
    std::string_view shown = storedName.substr(0, storedName.find('>'));
    const std::size_t star = shown.find('*');
    if (star == std::string_view::npos) {
        return shownName(decodeCacheName(shown));
    }
    std::string_view columns = shown.substr(star + 1);
    columns.remove_prefix(std::min(columns.find_first_not_of(' '), columns.size()));
    std::string row = shownName(decodeCacheName(shown.substr(0, star)));
    row += "  ";
    row += columns;
    return row;
}

}  // namespace quor::dupes
