#pragma once

#include <string>
#include <utility>

namespace brackmoor {

// The outcome of an operation that can fail: success, or the reason it did not succeed.
// Logic returns one of these; only windows decide what the user is told.
class [[nodiscard]] Result {
public:
    static Result Ok() { return Result(); }
    static Result Fail(std::string why) { return Result(std::move(why)); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

private:
    Result() = default;
    explicit Result(std::string why) : failed_(true), error_(std::move(why)) {}

    bool failed_ = false;
    std::string error_;
};

}  // namespace brackmoor
