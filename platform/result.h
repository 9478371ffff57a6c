// Result<T>: what an operation that can fail for expected reasons gives back,
// either its value or the error that kept it from one: an errno-style code
// and a message for the user. Result<void> is the same without a value.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace zandor {

struct Error {
    int code = 0;         // an errno value: ENOENT, EEXIST, EACCES, ...
    std::string message;  // why, in words ("Permission denied")

    // The error of an errno value, with the C library's text for it.
    static Error fromErrno(int code);
};

template <typename T>
class [[nodiscard]] Result {
  public:
    Result(T value) : m_outcome(std::move(value)) {}
    Result(Error error) : m_outcome(std::move(error)) {}

    bool ok() const { return m_outcome.index() == 0; }
    // Asked of the wrong kind of result, these throw std::bad_variant_access.
    T& value() { return std::get<0>(m_outcome); }
    const T& value() const { return std::get<0>(m_outcome); }
    const Error& error() const { return std::get<1>(m_outcome); }

  private:
    std::variant<T, Error> m_outcome;
};

template <>
class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)) {}

    bool ok() const { return !m_error.has_value(); }
    // Asked of a result that is ok, throws std::bad_optional_access.
    const Error& error() const { return m_error.value(); }

  private:
    std::optional<Error> m_error;
};

}  // namespace zandor
