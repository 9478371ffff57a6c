// XmlText: the text an office document's reader shows, taken from one of
// its XML parts as the part streams in (expat, a streaming parser: no part
// is ever held whole). Only the character data of the elements that hold
// text counts: OpenDocument's paragraphs and headings, Word's, a workbook's
// and a slide's text runs, and the values a workbook's cells show (numbers,
// not the indexes of shared strings). A line break goes where a paragraph,
// a cell or a line ends, a blank for a tab or a space element, and nothing
// between runs, so a word split by formatting is still one word. Element
// names, attributes and all other markup never reach the text.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zandor {

enum class XmlFlavour : std::uint8_t { OpenDocument, Word, Workbook, SlideShow };

class XmlText {
  public:
    // Takes each stretch of text; returns true to end the part there (the
    // text sought was found).
    using Sink = std::function<bool(std::string_view text)>;

    XmlText(XmlFlavour flavour, Sink sink);
    ~XmlText();
    XmlText(const XmlText&) = delete;
    XmlText& operator=(const XmlText&) = delete;

    // Starts a new part.
    void start();
    // Parses the next bytes of the part (last: the part ends with them).
    // False when the part is not well-formed XML, or the sink ended it.
    bool feed(std::string_view bytes, bool last);
    // Whether the sink ended the part.
    bool ended() const { return m_ended; }

    struct Parser;

  private:
    friend struct Parser;
    void open(const char* name, const char* const* attributes);
    void close(const char* name);
    void characters(std::string_view text);
    // Hands what was gathered to the sink.
    void flush();
    void add(char separator);

    XmlFlavour m_flavour;
    Sink m_sink;
    std::unique_ptr<Parser> m_parser;
    std::string m_text;             // gathered, handed on in stretches of a few KiB
    int m_holding = 0;              // open elements whose character data is text
    int m_hiding = 0;               // open elements whose character data is not
    bool m_cellShowsValue = false;  // the workbook cell open shows its value
    bool m_inValue = false;         // and its value is open
    bool m_afterBreak = false;      // the last of the text so far is a line break
    bool m_ended = false;
};

}  // namespace zandor
