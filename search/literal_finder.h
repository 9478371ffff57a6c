// LiteralFinder: whether a block of bytes holds a literal text, exactly or
// with A-Z and a-z alike. It looks for two of the text's rarest bytes at
// their distance from each other, sixteen places at a time, and compares the
// whole text only where both are there, so that common text costs a few
// vector instructions for every sixteen bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zandor {

class LiteralFinder {
  public:
    // asciiCaseBlind: A-Z in the block match a-z in text, and text is kept
    // with its A-Z lower-cased; every other byte compares as it is.
    LiteralFinder(std::string_view text, bool asciiCaseBlind);

    bool foundIn(std::string_view block) const;
    std::size_t size() const { return m_text.size(); }

  private:
    bool matchesAt(const char* at) const;
    bool scalarFrom(std::string_view block, std::size_t start) const;

    std::string m_text;
    bool m_caseBlind;
    std::size_t m_first = 0;   // where in the text the rarest byte is
    std::size_t m_second = 0;  // and the next rarest, at another place when it can be
};

}  // namespace zandor
