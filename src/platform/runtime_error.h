// The one run-time error of the saver: a number and a description, as the error log and the
// standard error report show them. Raised by checked arithmetic, bad indexes and failed
// platform calls; the frame tick catches it to end with a log line, callers with a sound
// fallback catch their own, and any other ends the program with the standard report.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

class RuntimeError : public std::runtime_error {
public:
    // Numbers follow the classic runtime's codes so an error report reads familiarly.
    enum Number : int {
        kOverflow = 6,
        kSubscriptOutOfRange = 9,
        kFileError = 75,
        kPlatformCall = 5,  // "invalid procedure call": a failed system or DirectX call
        kObjectNotSet = 91,  // an object (a surface) used that was never made
    };

    // `platformResult` keeps the failed call's own code (an HRESULT) where the caller must
    // tell one failure from another, as a lost display from a broken one; 0 when none.
    RuntimeError(int number, std::string description, uint32_t platformResult = 0)
        : std::runtime_error(std::move(description)), number_(number), platformResult_(platformResult) {}

    int ErrorNumber() const noexcept { return number_; }
    uint32_t PlatformResult() const noexcept { return platformResult_; }
    std::string Description() const { return what(); }

    static RuntimeError Overflow() { return {kOverflow, "Overflow"}; }
    static RuntimeError SubscriptOutOfRange() { return {kSubscriptOutOfRange, "Subscript out of range"}; }

private:
    int number_;
    uint32_t platformResult_;
};

}  // namespace platform
