#include "search/folder_node.h"

namespace zandor {

FolderNode::FolderNode(std::string relativePath, std::vector<std::uint32_t> order,
                       std::weak_ptr<FolderNode> parent)
    : m_relativePath(std::move(relativePath)),
      m_nameAt(m_relativePath.rfind('/') == std::string::npos ? 0 : m_relativePath.rfind('/') + 1),
      m_order(std::move(order)),
      m_parent(std::move(parent)) {}

FolderNode::~FolderNode() {
    if (m_budget != nullptr) {
        m_budget->release(entries.size());
    }
}

void FolderNode::publish() {
    m_state.store(State::Ready, std::memory_order_release);
    m_state.notify_all();
}

void FolderNode::waitReady() const {
    State state = m_state.load(std::memory_order_acquire);
    while (state != State::Ready) {
        m_state.wait(state, std::memory_order_acquire);
        state = m_state.load(std::memory_order_acquire);
    }
}

bool FolderNode::repeatsAnAncestor() const {
    for (auto above = parent(); above; above = above->parent()) {
        if (above->id == id) {
            return true;
        }
    }
    return false;
}

void FolderNode::countIn(FolderBudget* budget) {
    m_budget = budget;
}

}  // namespace zandor
