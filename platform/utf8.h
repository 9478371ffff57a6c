// UTF-8 in raw names and paths: where a valid sequence starts and what it
// stands for. A name that is not valid UTF-8 is still a name; the window and
// zandor-find each decide how to show the bytes that are not.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zandor {

// The length (1 to 4) of the valid UTF-8 sequence that starts at pos, or 0
// when the byte there does not start one: overlong forms, surrogates, values
// past U+10FFFF and cut sequences are not valid, and neither is pos past the
// end. When the sequence is valid and character is given, it receives the
// code point.
std::size_t utf8SequenceAt(std::string_view text, std::size_t pos, char32_t* character = nullptr);

bool isValidUtf8(std::string_view text);

// Writes the UTF-8 form of the code point c (1 to 4 bytes) at out; its length.
std::size_t encodeUtf8(char32_t c, char* out);
// Appends the UTF-8 form of the code point c to out.
void appendUtf8(char32_t c, std::string& out);

// True when pos lies inside a valid UTF-8 sequence of text, after its first
// byte: cutting text there would split a letter. Bytes that belong to no valid
// sequence stand alone, so a cut beside them splits nothing.
bool cutsUtf8Sequence(std::string_view text, std::size_t pos);

}  // namespace zandor
