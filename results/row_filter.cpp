#include "results/row_filter.h"

#include <algorithm>

#include "search/name_fold.h"

namespace zandor {

namespace {

constexpr std::size_t kStopCheckRows = 4096;
// How many rows ahead the test asks the processor to fetch a row, and its
// name's bytes: rows sorted by a key lie all over memory, and fetching a few
// at once costs little more than fetching one.
constexpr std::size_t kRowsAhead = 16;
constexpr std::size_t kNamesAhead = 8;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool holdsEvery(std::string_view text, const std::vector<std::string>& words) {
    return std::all_of(words.begin(), words.end(), [text](const std::string& word) {
        return text.find(word) != std::string_view::npos;
    });
}

bool withinOneOf(const std::string& word, const std::vector<std::string>& words) {
    return std::any_of(words.begin(), words.end(), [&word](const std::string& longer) {
        return longer.find(word) != std::string::npos;
    });
}

// Text folded into buffer, which grows as needed and is used again.
std::string_view foldInto(std::string_view text, std::string& buffer) {
    const std::size_t room = foldedCapacity(text.size());
    if (buffer.size() < room) {
        buffer.resize(std::max(room, 2 * buffer.size()));
    }
    return {buffer.data(), foldCaseInto(text, buffer.data())};
}

// Tests rows one after another. A word with a slash is in a row's path when
// it is in the folder's part, or when it runs from the folder's part into
// the name: a name holds no slash, so the word's last slash must then be the
// folder part's last, its text up to that slash must end the folder part,
// and the rest must start the name. What the folder part holds is worked
// out when a folder is met: rows of one folder lie together, so each folder
// is looked at about once, and each row costs a comparison with its name.
class RowTester {
  public:
    RowTester(const std::vector<std::string>& nameWords, const std::vector<std::string>& pathWords)
        : m_nameWords(nameWords),
          m_pathWords(pathWords),
          m_inFolder(pathWords.size()),
          m_endsFolder(pathWords.size()) {}

    bool passes(const ResultRow& row) {
        const std::string_view name = foldInto(row.name(), m_name);
        if (!holdsEvery(name, m_nameWords)) {
            return false;
        }
        if (m_pathWords.empty()) {
            return true;
        }
        if (row.m_folder != m_lastFolder) {
            meetFolder(*row.m_folder);
        }
        for (std::size_t i = 0; i < m_pathWords.size(); ++i) {
            if (!m_inFolder[i] && !(m_endsFolder[i] && !row.m_folder->whole &&
                                    name.starts_with(afterLastSlash(m_pathWords[i])))) {
                return false;
            }
        }
        return true;
    }

  private:
    static std::string_view afterLastSlash(std::string_view word) {
        return word.substr(word.rfind('/') + 1);
    }

    void meetFolder(const RowFolder& folder) {
        m_lastFolder = &folder;
        const std::string_view prefix = foldInto(folder.prefix, m_prefix);
        for (std::size_t i = 0; i < m_pathWords.size(); ++i) {
            const std::string_view word = m_pathWords[i];
            m_inFolder[i] = prefix.find(word) != std::string_view::npos;
            m_endsFolder[i] = prefix.ends_with(word.substr(0, word.rfind('/') + 1));
        }
    }

    const std::vector<std::string>& m_nameWords;
    const std::vector<std::string>& m_pathWords;
    std::string m_name;
    std::string m_prefix;
    // For each path word, of the last folder met: whether its part holds
    // the word, and whether it ends with the word up to its last slash.
    std::vector<bool> m_inFolder;
    std::vector<bool> m_endsFolder;
    const RowFolder* m_lastFolder = nullptr;
};

}  // namespace

RowFilter::RowFilter(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (isBlank(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !isBlank(text[end])) {
            ++end;
        }
        const std::string_view word = text.substr(at, end - at);
        std::string folded;
        foldCase(word, folded);
        auto& words = word.find('/') != std::string_view::npos ? m_pathWords : m_nameWords;
        if (std::find(words.begin(), words.end(), folded) == words.end()) {
            words.push_back(std::move(folded));
        }
        at = end;
    }
    for (auto* words : {&m_nameWords, &m_pathWords}) {
        std::stable_sort(
            words->begin(), words->end(),
            [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    }
}

bool RowFilter::narrows(const RowFilter& wider) const {
    // Words of one kind only: a name word never holds the slash of a path
    // word, and a path word found in the path says nothing of the name.
    const auto impliedBy = [](const std::vector<std::string>& words) {
        return [&words](const std::string& word) { return withinOneOf(word, words); };
    };
    return std::all_of(wider.m_nameWords.begin(), wider.m_nameWords.end(),
                       impliedBy(m_nameWords)) &&
           std::all_of(wider.m_pathWords.begin(), wider.m_pathWords.end(), impliedBy(m_pathWords));
}

std::optional<std::vector<const ResultRow*>> RowFilter::passing(
    std::span<const ResultRow* const> rows, const std::stop_token& stop) const {
    std::vector<const ResultRow*> passed;
    if (empty()) {
        passed.assign(rows.begin(), rows.end());
        return passed;
    }
    RowTester tester(m_nameWords, m_pathWords);
    const std::size_t count = rows.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i % kStopCheckRows == 0 && stop.stop_requested()) {
            return std::nullopt;
        }
        if (i + kRowsAhead < count) {
            __builtin_prefetch(rows[i + kRowsAhead]);
        }
        if (i + kNamesAhead < count) {
            __builtin_prefetch(rows[i + kNamesAhead]->m_strName);
        }
        if (tester.passes(*rows[i])) {
            passed.push_back(rows[i]);
        }
    }
    return passed;
}

}  // namespace zandor
