#pragma once

#include <optional>
#include <utility>

namespace kestrel {

// What an operation that can fail gives back: nothing when it got through,
// otherwise a description of what failed. The configuration and device
// layers report failures this way (with the system's error as a
// std::error_code inside the failure) and never show them: the window and
// the command-line tool decide how a failure reads.
template <typename Failure>
class Outcome {
public:
    Outcome() = default;
    Outcome(Failure failure) // NOLINT(google-explicit-constructor): a failure is an outcome
        : failure_(std::move(failure))
    {
    }

    bool succeeded() const { return !failure_.has_value(); }
    explicit operator bool() const { return succeeded(); }
    const std::optional<Failure>& failure() const { return failure_; }

private:
    std::optional<Failure> failure_;
};

} // namespace kestrel
