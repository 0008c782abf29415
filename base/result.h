// A value or the text of the error that prevented it. The stand-in host and the tools
// report every failure this way, so that nothing needs to throw on the paths the module's
// C calls take.
#ifndef PELORIX3_BASE_RESULT_H
#define PELORIX3_BASE_RESULT_H

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace base {

template <class T>
class [[nodiscard]] Result {
public:
    static Result success(T value) { return Result(std::move(value), {}); }
    static Result failure(std::string error) { return Result(std::nullopt, std::move(error)); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    // Only valid when ok().
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

    // Empty when ok().
    const std::string& error() const { return error_; }

private:
    Result(std::optional<T> value, std::string error)
        : value_(std::move(value)), error_(std::move(error)) {}

    std::optional<T> value_;
    std::string error_;
};

// Success or an error text, for operations that produce nothing.
using Status = Result<std::monostate>;

inline Status succeeded() { return Status::success({}); }

}  // namespace base

#endif
