#include "json_rows.h"

#include "hex_text.h"
#include "utf8_encode.h"

namespace zandor::test {

namespace {

class JsonLineReader {
  public:
    explicit JsonLineReader(std::string_view line) : m_text(line) {}

    std::optional<JsonRow> read() {
        JsonRow row;
        if (!take('{')) {
            return std::nullopt;
        }
        if (take('}')) {
            return atEnd() ? std::optional(row) : std::nullopt;
        }
        do {
            std::string key;
            if (!string(key) || !take(':') || row.strings.contains(key) ||
                row.numbers.contains(key)) {
                return std::nullopt;
            }
            if (peek() == '"') {
                if (!string(row.strings[key])) {
                    return std::nullopt;
                }
            } else if (m_text.substr(m_pos, 4) == "null") {
                m_pos += 4;
                row.numbers[key] = "null";
            } else if (!number(row.numbers[key])) {
                return std::nullopt;
            }
        } while (take(','));
        if (!take('}') || !atEnd()) {
            return std::nullopt;
        }
        return row;
    }

  private:
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    bool atEnd() const { return m_pos == m_text.size(); }
    bool take(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool number(std::string& out) {
        const std::size_t start = m_pos;
        take('-');
        const std::size_t digits = m_pos;
        while (peek() >= '0' && peek() <= '9') {
            ++m_pos;
        }
        if (m_pos == digits || (m_text[digits] == '0' && m_pos - digits > 1)) {
            return false;
        }
        out.assign(m_text.substr(start, m_pos - start));
        return true;
    }

    bool hex4(std::uint32_t& value) {
        if (m_text.size() - m_pos < 4) {
            return false;
        }
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexDigitValue(m_text[m_pos++]);
            if (digit < 0) {
                return false;
            }
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    bool string(std::string& out) {
        if (!take('"')) {
            return false;
        }
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;  // a raw control character is not allowed in a string
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            const char e = peek();
            ++m_pos;
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out.push_back(e);
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'u': {
                    std::uint32_t cp = 0;
                    if (!hex4(cp) || (cp >= 0xDC00 && cp <= 0xDFFF)) {
                        return false;
                    }
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        std::uint32_t low = 0;
                        if (!take('\\') || !take('u') || !hex4(low) || low < 0xDC00 ||
                            low > 0xDFFF) {
                            return false;
                        }
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    out.append(utf8Encode(cp));
                    break;
                }
                default:
                    return false;
            }
        }
        return false;  // not closed
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

std::optional<JsonRow> readJsonRow(std::string_view line) {
    return JsonLineReader(line).read();
}

}  // namespace zandor::test
