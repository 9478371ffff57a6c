#include "search/entry_rules.h"

#include "search/file_kinds.h"
#include "search/mime_globs.h"
#include "search/name_fold.h"

namespace zandor {

std::string_view EntryRules::compared(std::string_view name) {
    if (m_pattern.m_bCaseSensitive) {
        return name;
    }
    foldCase(name, m_folded);
    return m_folded;
}

bool EntryRules::typeHolds(std::string_view name, std::string_view type) {
    const std::string_view lower = lowered(name);
    if (const auto kind = fileKindNamed(type)) {
        return processMimeGlobs().isOfKind(name, lower, *kind);
    }
    return typeMatches(lower, type);
}

EntryNeeds EntryRules::needs(std::string_view name, bool isFolder, const LiveConditions& live) {
    if (isFolder) {
        // A listed folder's row shows its times; a folder that is only
        // entered needs nothing read about it.
        return m_wantsMetadata && listsFolders(live) && folderMatches(name)
                   ? EntryNeeds::Description
                   : EntryNeeds::Nothing;
    }
    if (!nameAdmitsAll(m_pattern)) {
        const std::string_view inCase = compared(name);
        if (!fileNameMatches(m_pattern, inCase) || !fileExtensionMatches(m_pattern, inCase)) {
            return EntryNeeds::Nothing;
        }
    }
    if (!live.m_strContaining.empty()) {
        return EntryNeeds::Contents;
    }
    return live.m_bSizeFilter || live.m_bDateFilter || m_wantsMetadata ? EntryNeeds::Description
                                                                       : EntryNeeds::Nothing;
}

ContentsSearch& EntryRules::contentsSearch(const LiveConditions& live) {
    if (!m_contents || m_contentsSerial != live.m_contentsSerial) {
        m_contents.emplace(live.m_strContaining, m_pattern.m_bCaseSensitive);
        m_contentsSerial = live.m_contentsSerial;
    }
    return *m_contents;
}

}  // namespace zandor
