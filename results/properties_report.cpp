#include "results/properties_report.h"

#include "search/sinks.h"
#include "search/size_text.h"

namespace zandor {

std::string contentsText(const ContentCount& count) {
    const std::uint64_t folders = count.folders > 0 ? count.folders - 1 : 0;
    return std::to_string(count.files) + " Files   :   " + std::to_string(folders) + " Folders";
}

std::string propertiesReportText(std::string_view path, bool isFolder, const ContentCount& count) {
    std::string text = "Type : \t\t";
    text.append(isFolder ? kFolderType : kFileType);
    text.append("\nLocation : \t").append(path);
    text.append("\nSize : \t\t");
    appendSizeText(text, count.bytes);
    text.append("\nContains : \t").append(contentsText(count));
    return text;
}

std::string propertiesReportOf(const std::string& path, const std::atomic<bool>* cancel) {
    const bool isFolder = isFolderItself(path);
    return propertiesReportText(path, isFolder, CountFolderContents(path, cancel));
}

}  // namespace zandor
