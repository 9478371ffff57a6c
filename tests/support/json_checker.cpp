#include "json_checker.h"

#include <cstdint>

#include "hex_text.h"
#include "utf8_encode.h"

namespace zandor::test {

namespace {

constexpr int kMaxDepth = 64;

// Decodes the code point at pos; 0 bytes consumed when the bytes there are
// not a well-formed sequence.
std::size_t decodeUtf8(std::string_view bytes, std::size_t pos, std::uint32_t& cp) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[pos + i]); };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - pos < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((at(i) & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (at(i) & 0x3F);
    }
    static constexpr std::uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

class Reader {
  public:
    explicit Reader(std::string_view text) : m_text(text) {}

    JsonParse parseDocument() {
        JsonParse result;
        skipBlanks();
        JsonValue value;
        if (parseValue(value, 0)) {
            skipBlanks();
            if (m_pos == m_text.size()) {
                result.value = std::move(value);
                return result;
            }
            fail("text after the value");
        }
        result.error = m_error + " at byte " + std::to_string(m_pos);
        return result;
    }

  private:
    bool fail(const std::string& what) {
        if (m_error.empty()) {
            m_error = what;
        }
        return false;
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return m_text[m_pos]; }

    void skipBlanks() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) {
            ++m_pos;
        }
    }

    bool literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) {
            return fail("bad literal");
        }
        m_pos += word.size();
        return true;
    }

    bool parseValue(JsonValue& value, int depth) {
        if (depth > kMaxDepth) {
            return fail("nested too deep");
        }
        if (atEnd()) {
            return fail("value expected");
        }
        switch (peek()) {
            case '{':
                return parseObject(value, depth);
            case '[':
                return parseArray(value, depth);
            case '"':
                value.kind = JsonValue::Kind::String;
                return parseString(value.text);
            case 't':
                value.kind = JsonValue::Kind::Bool;
                value.boolean = true;
                return literal("true");
            case 'f':
                value.kind = JsonValue::Kind::Bool;
                return literal("false");
            case 'n':
                value.kind = JsonValue::Kind::Null;
                return literal("null");
            default:
                value.kind = JsonValue::Kind::Number;
                return parseNumber(value.text);
        }
    }

    bool parseObject(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        ++m_pos;  // {
        skipBlanks();
        if (!atEnd() && peek() == '}') {
            ++m_pos;
            return true;
        }
        for (;;) {
            skipBlanks();
            std::string key;
            if (atEnd() || peek() != '"' || !parseString(key)) {
                return fail("member name expected");
            }
            if (value.member(key) != nullptr) {
                return fail("duplicate member " + key);
            }
            skipBlanks();
            if (atEnd() || peek() != ':') {
                return fail("':' expected");
            }
            ++m_pos;
            skipBlanks();
            JsonValue member;
            if (!parseValue(member, depth + 1)) {
                return false;
            }
            value.names.push_back(std::move(key));
            value.items.push_back(std::move(member));
            skipBlanks();
            if (atEnd()) {
                return fail("unterminated object");
            }
            if (peek() == '}') {
                ++m_pos;
                return true;
            }
            if (peek() != ',') {
                return fail("',' or '}' expected");
            }
            ++m_pos;
        }
    }

    bool parseArray(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Array;
        ++m_pos;  // [
        skipBlanks();
        if (!atEnd() && peek() == ']') {
            ++m_pos;
            return true;
        }
        for (;;) {
            skipBlanks();
            JsonValue item;
            if (!parseValue(item, depth + 1)) {
                return false;
            }
            value.items.push_back(std::move(item));
            skipBlanks();
            if (atEnd()) {
                return fail("unterminated array");
            }
            if (peek() == ']') {
                ++m_pos;
                return true;
            }
            if (peek() != ',') {
                return fail("',' or ']' expected");
            }
            ++m_pos;
        }
    }

    bool hex4(std::uint32_t& unit) {
        if (m_text.size() - m_pos < 4) {
            return fail("short \\u escape");
        }
        unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexDigitValue(m_text[m_pos++]);
            if (digit < 0) {
                return fail("bad hex digit in \\u escape");
            }
            unit = (unit << 4) | static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    bool parseEscape(std::string& out) {
        if (atEnd()) {
            return fail("unterminated escape");
        }
        const char c = m_text[m_pos++];
        switch (c) {
            case '"':
            case '\\':
            case '/':
                out.push_back(c);
                return true;
            case 'b':
                out.push_back('\b');
                return true;
            case 'f':
                out.push_back('\f');
                return true;
            case 'n':
                out.push_back('\n');
                return true;
            case 'r':
                out.push_back('\r');
                return true;
            case 't':
                out.push_back('\t');
                return true;
            case 'u':
                break;
            default:
                return fail("unknown escape");
        }
        std::uint32_t unit = 0;
        if (!hex4(unit)) {
            return false;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return fail("lone low surrogate");
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (m_text.substr(m_pos, 2) != "\\u") {
                return fail("lone high surrogate");
            }
            m_pos += 2;
            if (!hex4(low)) {
                return false;
            }
            if (low < 0xDC00 || low > 0xDFFF) {
                return fail("high surrogate without its low half");
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        out.append(utf8Encode(unit));
        return true;
    }

    bool parseString(std::string& out) {
        ++m_pos;  // the opening quote
        for (;;) {
            if (atEnd()) {
                return fail("unterminated string");
            }
            const auto c = static_cast<unsigned char>(peek());
            if (c == '"') {
                ++m_pos;
                return true;
            }
            if (c == '\\') {
                ++m_pos;
                if (!parseEscape(out)) {
                    return false;
                }
                continue;
            }
            if (c < 0x20) {
                return fail("control character in a string");
            }
            std::uint32_t cp = 0;
            const std::size_t length = decodeUtf8(m_text, m_pos, cp);
            if (length == 0) {
                return fail("bytes that are not UTF-8 in a string");
            }
            out.append(m_text.substr(m_pos, length));
            m_pos += length;
        }
    }

    bool digits() {
        const std::size_t start = m_pos;
        while (!atEnd() && peek() >= '0' && peek() <= '9') {
            ++m_pos;
        }
        return m_pos > start;
    }

    bool parseNumber(std::string& out) {
        const std::size_t start = m_pos;
        if (!atEnd() && peek() == '-') {
            ++m_pos;
        }
        if (!atEnd() && peek() == '0') {
            ++m_pos;
        } else if (!digits()) {
            return fail("value expected");
        }
        if (!atEnd() && peek() == '.') {
            ++m_pos;
            if (!digits()) {
                return fail("digits expected after '.'");
            }
        }
        if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
            ++m_pos;
            if (!atEnd() && (peek() == '+' || peek() == '-')) {
                ++m_pos;
            }
            if (!digits()) {
                return fail("digits expected in the exponent");
            }
        }
        out.assign(m_text.substr(start, m_pos - start));
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == key) {
            return &items[i];
        }
    }
    return nullptr;
}

JsonParse parseJson(std::string_view text) {
    return Reader(text).parseDocument();
}

bool isWellFormedUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::uint32_t cp = 0;
        const std::size_t length = decodeUtf8(bytes, pos, cp);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

}  // namespace zandor::test
