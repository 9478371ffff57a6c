// How raw names and paths (bytes, not always UTF-8) become text on screen, and
// how an edited name becomes bytes again. A byte that is not part of valid
// UTF-8 shows as one U+FFFD; an edit keeps every byte the user did not change,
// so such bytes survive a rename that touches other parts of the name.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zandor {

// The text shown for a name or path.
QString displayText(std::string_view bytes);

// The bytes of a name whose shown text (displayText(original)) the user
// edited into `edited`: the unchanged beginning and end keep their original
// bytes, and only the characters in between are encoded as UTF-8.
std::string editedNameBytes(std::string_view original, const QString& edited);

}  // namespace zandor
