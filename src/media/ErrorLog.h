#pragma once
// The error log "zorbels.log": a few quoted lines about the latest failed set-up step. Every
// failure rewrites the file, so it only ever holds the last one; a run without failures leaves
// it alone. It is opened by its bare name, so it lands in the current directory.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PlatformError.h"

namespace gorb {

inline constexpr const char* kErrorLogName = "zorbels.log";

// The prefixes of the set-up procedures (two blanks after the colon, one at the end).
namespace logprefix {
inline constexpr std::string_view FormLoad = "Form Load:  Error While ";
inline constexpr std::string_view SetupDirectX = "SetupDirectX:  Error While ";
inline constexpr std::string_view SetupDirectXObjects = "SetupDirectXObjects:  Error While ";
inline constexpr std::string_view SetupDirectSound = "SetupDirectSound:  Error While ";
inline constexpr std::string_view SetupDirectInput = "SetupDirectInput:  Error While ";
}  // namespace logprefix

// Rewrites the log with these lines, each as a double quote, the text, a double quote and
// CR LF. Returns false when the file could not be written; callers go on with their failure
// path regardless (a read-only directory must not keep the player from seeing the message).
bool WriteErrorLog(std::span<const std::string> lines);

// The common four lines: prefix + step, "Error was ", "Error source:  ", "Error Num:  ".
std::vector<std::string> StandardErrorLines(std::string_view prefix, std::string_view step,
                                            const PlatformError& error);

// Writes the common four lines. Same result as WriteErrorLog.
bool LogStandardError(std::string_view prefix, std::string_view step, const PlatformError& error);

}  // namespace gorb
