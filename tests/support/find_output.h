// Reading what zandor-find (and find(1)) write, for the tests:
// null-format paths, tsv and json rows decoded back to their raw bytes, and
// a streamed reading of very long listings as a tree shape.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor::test {

struct FoundRow {
    std::string name;  // raw bytes, decoded from the output
    std::string path;
    std::string sizeText;
    std::string type;
    std::string created;
    std::string lastWrite;
    std::string sizeBytes;  // json only: the size as its digits
};

// The items of null-format output (each ends with a NUL), in output order.
std::vector<std::string> nulItems(std::string_view out);
// tsv rows, each line split into its six fields and name and path decoded.
std::vector<FoundRow> tsvRows(std::string_view out);
// json rows, name and path taken from their _hex members where present.
std::vector<FoundRow> jsonRows(std::string_view out);

std::vector<std::string> pathsOf(const std::vector<FoundRow>& rows);
std::vector<std::string> sorted(std::vector<std::string> items);

// The shape of a listing: each entry as its depth below root and its name,
// checked on the way to nest (every path is a listed folder's path, "/" and
// its name, or root's). It keeps short strings rather than whole paths, so
// that a chain 20,000 levels deep costs kilobytes, not gigabytes.
class TreeShape {
  public:
    explicit TreeShape(std::string root) : m_root(std::move(root)) {}
    void add(std::string_view path);
    // "depth name" for each entry, depth zero-padded, sorted.
    std::vector<std::string> sorted() const;

  private:
    std::string m_root;
    std::string m_current;            // the last path added
    std::vector<std::size_t> m_ends;  // where each of its components ends
    std::vector<std::string> m_entries;
};

// Runs argv and hands each NUL-ended item of its standard output to onItem
// as it arrives; standard error is gathered into err. Returns the exit status
// (128 + the signal when one ended it).
int streamNulItems(const std::vector<std::string>& argv,
                   const std::function<void(std::string_view)>& onItem, std::string& err);

}  // namespace zandor::test
