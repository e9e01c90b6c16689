#pragma once
// The one error value every failing platform operation throws: a number, a description
// and a source, as the set-up procedures log them.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace gorb {

struct PlatformError : std::runtime_error {
    int32_t Number;
    std::string Description;
    std::string Source;

    PlatformError(int32_t number, std::string description, std::string source = "Gorbulant")
        : std::runtime_error(description), Number(number), Description(std::move(description)),
          Source(std::move(source)) {}
};

// Common error numbers (the run-time's own numbering where a caller shows them).
namespace err {
constexpr int32_t InvalidProcedureCall = 5;
constexpr int32_t OutOfMemory = 7;
constexpr int32_t SubscriptOutOfRange = 9;
constexpr int32_t InternalError = 51;
constexpr int32_t FileNotFound = 53;
constexpr int32_t ObjectNotSet = 91;
constexpr int32_t ResourceNotFound = 326;
constexpr int32_t Generic = -2147467259;  // unspecified failure (E_FAIL)
}  // namespace err

// What using a device or surface that was never made (or is gone) throws.
inline PlatformError ObjectNotSet(std::string source = "Gorbulant") {
    return PlatformError(err::ObjectNotSet, "Object variable or With block variable not set", std::move(source));
}

}  // namespace gorb
