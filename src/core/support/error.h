#pragma once

// Errors travel as values through the core's public API; see Result below.
// `detail` is untranslated English for logs and the command line; the desktop program
// turns `code` into a translated sentence of its own.

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace lumarc {

enum class ErrorCode {
    NotFound,     // a file or folder that should exist does not
    ReadFailed,   // it exists but could not be read
    WriteFailed,  // a file or folder could not be written, created or removed
    BadFormat,    // contents are not what the format allows (signature, truncation, syntax)
    Decode,       // an image could not be decoded
    Encode,       // an image could not be scaled or encoded
    Network,      // a request failed
    Invalid,      // a value or argument is out of range or of the wrong kind
    Refused,      // the user or a rule declined the operation
};

struct Error {
    ErrorCode code = ErrorCode::Invalid;
    QString path;        // the file or field the error is about; may be empty
    QString detail;      // what went wrong, untranslated
    int systemCode = 0;  // the system's error number when a system call failed, else 0

    // "path: detail", or the detail alone without a path.
    QString message() const { return path.isEmpty() ? detail : path + QStringLiteral(": ") + detail; }

    // The same error, about the given file.
    Error at(const QString &file) const
    {
        Error error = *this;
        error.path = file;
        return error;
    }
};

// Either a value or an Error. Check ok() before value().
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_data(std::move(value)) {}      // NOLINT(google-explicit-constructor)
    Result(Error error) : m_data(std::move(error)) {}  // NOLINT(google-explicit-constructor)

    bool ok() const { return std::holds_alternative<T>(m_data); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<T>(m_data); }
    T &value() & { return std::get<T>(m_data); }
    T &&value() && { return std::get<T>(std::move(m_data)); }
    const Error &error() const { return std::get<Error>(m_data); }

private:
    std::variant<T, Error> m_data;
};

// For operations without a value: nullopt means success.
using Status = std::optional<Error>;

}  // namespace lumarc
