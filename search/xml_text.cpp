#include "search/xml_text.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <climits>

namespace zandor {

namespace {

constexpr std::size_t kStretch = std::size_t{16} * 1024;
// expat hands element names as the namespace, this separator and the local name.
constexpr char kNamespaceEnd = '|';

// What an element means for the text.
enum Role : unsigned {
    kHolds = 1U,     // its character data (and its children's) is text
    kEndsLine = 2U,  // a line break after it: a paragraph, a cell
    kBreaks = 4U,    // a line break where it stands
    kBlank = 8U,     // a blank where it stands: a tab, a space
    kHides = 16U,    // no character data within it is text
    kCell = 32U,     // a workbook's cell: its type says what its value is
    kValue = 64U,    // a cell's value: text unless it indexes the shared strings
};

// A namespace, and the other spelling Office's strict documents give it.
struct Space {
    std::string_view uri;
    std::string_view strictUri = {};
    bool holds(std::string_view space) const {
        return space == uri || (!strictUri.empty() && space == strictUri);
    }
};

struct Rule {
    Space space;
    std::string_view local;  // "*" for every element of the namespace
    unsigned roles;
};

constexpr Space kOdfText{"urn:oasis:names:tc:opendocument:xmlns:text:1.0"};
constexpr Space kOdfTable{"urn:oasis:names:tc:opendocument:xmlns:table:1.0"};
constexpr Space kOdfNumber{"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"};
constexpr Space kWord{"http://schemas.openxmlformats.org/wordprocessingml/2006/main",
                      "http://purl.oclc.org/ooxml/wordprocessingml/main"};
constexpr Space kSheet{"http://schemas.openxmlformats.org/spreadsheetml/2006/main",
                       "http://purl.oclc.org/ooxml/spreadsheetml/main"};
constexpr Space kDrawing{"http://schemas.openxmlformats.org/drawingml/2006/main",
                         "http://purl.oclc.org/ooxml/drawingml/main"};

constexpr std::array kOpenDocumentRules = {
    Rule{kOdfText, "p", kHolds | kEndsLine},
    Rule{kOdfText, "h", kHolds | kEndsLine},
    Rule{kOdfText, "tab", kBlank},
    Rule{kOdfText, "s", kBlank},
    Rule{kOdfText, "line-break", kBreaks},
    Rule{kOdfTable, "table-cell", kEndsLine},
    Rule{kOdfTable, "covered-table-cell", kEndsLine},
    // The literal parts of number and date formats.
    Rule{kOdfNumber, "*", kHides},
};

constexpr std::array kWordRules = {
    Rule{kWord, "t", kHolds},   Rule{kWord, "p", kEndsLine}, Rule{kWord, "tab", kBlank},
    Rule{kWord, "br", kBreaks}, Rule{kWord, "cr", kBreaks},  Rule{kWord, "tc", kEndsLine},
};

constexpr std::array kWorkbookRules = {
    Rule{kSheet, "t", kHolds}, Rule{kSheet, "si", kEndsLine}, Rule{kSheet, "c", kEndsLine | kCell},
    Rule{kSheet, "v", kValue}, Rule{kSheet, "rPh", kHides},
};

constexpr std::array kSlideRules = {
    Rule{kDrawing, "t", kHolds},
    Rule{kDrawing, "p", kEndsLine},
    Rule{kDrawing, "br", kBreaks},
    Rule{kDrawing, "tc", kEndsLine},
};

template <std::size_t N>
unsigned rolesIn(const std::array<Rule, N>& rules, std::string_view space, std::string_view local) {
    for (const Rule& rule : rules) {
        if (rule.space.holds(space) && (rule.local == "*" || rule.local == local)) {
            return rule.roles;
        }
    }
    return 0;
}

unsigned rolesOf(XmlFlavour flavour, const char* name) {
    const std::string_view whole(name);
    const std::size_t end = whole.rfind(kNamespaceEnd);
    if (end == std::string_view::npos) {
        return 0;  // no namespace: no element of ours
    }
    const std::string_view space = whole.substr(0, end);
    const std::string_view local = whole.substr(end + 1);
    switch (flavour) {
        case XmlFlavour::OpenDocument:
            return rolesIn(kOpenDocumentRules, space, local);
        case XmlFlavour::Word:
            return rolesIn(kWordRules, space, local);
        case XmlFlavour::Workbook:
            return rolesIn(kWorkbookRules, space, local);
        default:
            return rolesIn(kSlideRules, space, local);
    }
}

}  // namespace

struct XmlText::Parser {
    XML_Parser parser = nullptr;

    explicit Parser(XmlText& owner) { make(owner); }
    ~Parser() { XML_ParserFree(parser); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    void make(XmlText& owner) {
        if (parser != nullptr) {
            XML_ParserFree(parser);
        }
        parser = XML_ParserCreateNS(nullptr, kNamespaceEnd);
        XML_SetUserData(parser, &owner);
        XML_SetElementHandler(parser, &Parser::onOpen, &Parser::onClose);
        XML_SetCharacterDataHandler(parser, &Parser::onCharacters);
    }

    static void onOpen(void* owner, const XML_Char* name, const XML_Char** attributes) {
        static_cast<XmlText*>(owner)->open(name, attributes);
    }
    static void onClose(void* owner, const XML_Char* name) {
        static_cast<XmlText*>(owner)->close(name);
    }
    static void onCharacters(void* owner, const XML_Char* text, int length) {
        static_cast<XmlText*>(owner)->characters(
            std::string_view(text, static_cast<std::size_t>(length)));
    }
};

XmlText::XmlText(XmlFlavour flavour, Sink sink)
    : m_flavour(flavour), m_sink(std::move(sink)), m_parser(std::make_unique<Parser>(*this)) {}

XmlText::~XmlText() = default;

void XmlText::start() {
    m_parser->make(*this);
    m_text.clear();
    m_holding = 0;
    m_hiding = 0;
    m_cellShowsValue = false;
    m_inValue = false;
    m_afterBreak = false;
    m_ended = false;
}

bool XmlText::feed(std::string_view bytes, bool last) {
    if (m_ended) {
        return false;
    }
    // expat takes at most INT_MAX bytes at once.
    do {
        const std::size_t size = std::min(bytes.size(), std::size_t{INT_MAX});
        const bool final = last && size == bytes.size();
        const XML_Status status =
            XML_Parse(m_parser->parser, bytes.data(), static_cast<int>(size), final ? 1 : 0);
        if (status != XML_STATUS_OK || m_ended) {
            return false;
        }
        bytes.remove_prefix(size);
    } while (!bytes.empty());
    if (last) {
        flush();
    }
    return !m_ended;
}

// Whether a cell of this type shows its value as it stands: a number, a
// date, a formula's text or an error does; a shared string's value is only
// the string's index, and a boolean's a 0 or 1.
bool showsValue(const char* const* attributes) {
    for (; attributes[0] != nullptr; attributes += 2) {
        if (std::string_view(attributes[0]) == "t") {
            const std::string_view type(attributes[1]);
            return type != "s" && type != "b";
        }
    }
    return true;  // a number
}

void XmlText::open(const char* name, const char* const* attributes) {
    const unsigned roles = rolesOf(m_flavour, name);
    if ((roles & kCell) != 0) {
        m_cellShowsValue = showsValue(attributes);
    }
    if ((roles & kValue) != 0 && m_cellShowsValue) {
        m_inValue = true;
        ++m_holding;
    }
    m_holding += (roles & kHolds) != 0 ? 1 : 0;
    m_hiding += (roles & kHides) != 0 ? 1 : 0;
    if ((roles & kBlank) != 0) {
        add(' ');
    } else if ((roles & kBreaks) != 0) {
        add('\n');
    }
}

void XmlText::close(const char* name) {
    const unsigned roles = rolesOf(m_flavour, name);
    if ((roles & kValue) != 0 && m_inValue) {
        m_inValue = false;
        --m_holding;
    }
    m_holding -= (roles & kHolds) != 0 ? 1 : 0;
    m_hiding -= (roles & kHides) != 0 ? 1 : 0;
    if ((roles & kEndsLine) != 0) {
        add('\n');
    }
}

void XmlText::characters(std::string_view text) {
    if (m_holding > 0 && m_hiding == 0 && !m_ended && !text.empty()) {
        m_text.append(text);
        m_afterBreak = false;
        if (m_text.size() >= kStretch) {
            flush();
        }
    }
}

void XmlText::add(char separator) {
    // One break is enough between two stretches of text.
    if (m_ended || m_afterBreak) {
        return;
    }
    m_text += separator;
    m_afterBreak = separator == '\n';
    if (m_text.size() >= kStretch) {
        flush();
    }
}

void XmlText::flush() {
    if (m_text.empty() || m_ended) {
        return;
    }
    if (m_sink(m_text)) {
        m_ended = true;
        XML_StopParser(m_parser->parser, XML_FALSE);
    }
    m_text.clear();
}

}  // namespace zandor
