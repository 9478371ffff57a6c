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

// Tests rows one after another, keeping the folded path of the last folder
// met: rows of one folder lie together, so each folder is folded about once.
class RowTester {
  public:
    RowTester(const std::vector<std::string>& nameWords, const std::vector<std::string>& pathWords)
        : m_nameWords(nameWords), m_pathWords(pathWords) {}

    bool passes(const ResultRow& row) {
        const std::string_view name = foldInto(row.name(), m_name);
        if (!holdsEvery(name, m_nameWords)) {
            return false;
        }
        return m_pathWords.empty() || holdsEvery(foldedPath(row, name), m_pathWords);
    }

  private:
    std::string_view foldedPath(const ResultRow& row, std::string_view foldedName) {
        if (row.m_folder != m_lastFolder) {
            m_lastFolder = row.m_folder;
            const std::string_view prefix = foldInto(row.m_folder->prefix, m_prefix);
            m_prefixSize = prefix.size();
        }
        if (row.m_folder->whole) {
            return {m_prefix.data(), m_prefixSize};
        }
        // The prefix ends with a slash, so folding it and the name apart
        // gives what folding the joined path gives.
        m_path.assign(m_prefix.data(), m_prefixSize);
        m_path.append(foldedName);
        return m_path;
    }

    const std::vector<std::string>& m_nameWords;
    const std::vector<std::string>& m_pathWords;
    std::string m_name;
    std::string m_prefix;
    std::size_t m_prefixSize = 0;
    std::string m_path;
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
