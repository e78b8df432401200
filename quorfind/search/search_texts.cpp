#include "quorfind/search/search_texts.h"

#include "quorvane/store/parse_filename.h"

namespace quor::find {

std::string foundText(long long matches) {
    return "Found " + std::to_string(matches) + " matching files.";
}

std::string windowCaption(std::string_view listPath) {
    return "Quorfind - " + store::fileNamePart(listPath);
}

std::string listsFolderFailedText(std::string_view programFolder) {
    return "There was a problem accessing your \"" + std::string(programFolder) +
           "/LISTS\" folder!";
}

std::string listsFileFailedText(std::string_view file) {
    return "There was a problem opening the file: " + std::string(file) +
           "\nMake sure this file is a TEXT file, and not corrupt!";
}

}  // namespace quor::find
