#include "platform/result.h"

#include <cstring>

namespace zandor {

Error Error::fromErrno(int code) {
    // The GNU strerror_r: thread-safe, and it returns the text, which may or
    // may not be in the buffer given.
    char buffer[256];
    return Error{code, ::strerror_r(code, buffer, sizeof buffer)};
}

}  // namespace zandor
