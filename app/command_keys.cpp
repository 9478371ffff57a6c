#include "app/command_keys.h"

#include "res/command_ids.h"

namespace zandor {

std::optional<SortKey> sortKeyOfCommand(unsigned id) {
    switch (id) {
        case cmd::kSortByName:
            return SortKey::Name;
        case cmd::kSortByPath:
            return SortKey::Path;
        case cmd::kSortBySize:
            return SortKey::Size;
        case cmd::kSortByType:
            return SortKey::Type;
        case cmd::kSortByCreation:
            return SortKey::Created;
        case cmd::kSortByLastWrite:
            return SortKey::LastWrite;
        default:
            return std::nullopt;
    }
}

std::optional<ViewType> viewTypeOfCommand(unsigned id) {
    switch (id) {
        case cmd::kViewLargeIcons:
            return ViewType::LargeIcons;
        case cmd::kViewSmallIcons:
            return ViewType::SmallIcons;
        case cmd::kViewList:
            return ViewType::List;
        case cmd::kViewDetails:
            return ViewType::Details;
        default:
            return std::nullopt;
    }
}

}  // namespace zandor
