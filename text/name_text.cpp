#include "text/name_text.h"

#include <QList>
#include <cstdint>
#include <vector>

#include "platform/utf8.h"

namespace zandor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One shown character and the bytes it stands for.
struct Decoded {
    char32_t character;
    std::size_t begin;  // first byte
};

std::vector<Decoded> decode(std::string_view bytes) {
    std::vector<Decoded> characters;
    characters.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        char32_t character = 0;
        const std::size_t length = utf8SequenceAt(bytes, at, &character);
        characters.push_back({length == 0 ? kReplacement : character, at});
        at += length == 0 ? 1 : length;
    }
    return characters;
}

}  // namespace

QString displayText(std::string_view bytes) {
    bool ascii = true;
    for (const char byte : bytes) {
        ascii = ascii && static_cast<unsigned char>(byte) < 0x80U;
    }
    if (ascii) {
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const Decoded& decoded : decode(bytes)) {
        text += QChar::fromUcs4(decoded.character);
    }
    return text;
}

std::string editedNameBytes(std::string_view original, const QString& edited) {
    const std::vector<Decoded> before = decode(original);
    const QList<uint> after = edited.toUcs4();
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < static_cast<std::size_t>(after.size()) &&
           before[prefix].character == after[static_cast<qsizetype>(prefix)]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix &&
           suffix < static_cast<std::size_t>(after.size()) - prefix &&
           before[before.size() - 1 - suffix].character ==
               after[after.size() - 1 - static_cast<qsizetype>(suffix)]) {
        ++suffix;
    }
    const std::size_t keptHead = prefix < before.size() ? before[prefix].begin : original.size();
    const std::size_t keptTail =
        suffix > 0 ? before[before.size() - suffix].begin : original.size();
    QString typed;
    for (auto i = static_cast<qsizetype>(prefix); i < after.size() - static_cast<qsizetype>(suffix);
         ++i) {
        typed += QChar::fromUcs4(after[i]);
    }
    const QByteArray middle = typed.toUtf8();
    std::string name(original.substr(0, keptHead));
    name.append(middle.constData(), static_cast<std::size_t>(middle.size()));
    name.append(original.substr(keptTail));
    return name;
}

}  // namespace zandor
