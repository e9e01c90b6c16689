#pragma once
// The error log "zorbels.log": a few quoted lines about the latest failed set-up step. Every
// failure rewrites the file, so it only ever holds the last one; a run without failures leaves
// it alone. It is opened by its bare name, so it lands in the current directory.
#include <span>
#include <stdexcept>
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
inline constexpr std::string_view WriteSettings = "WriteSettings:  Error While ";
}  // namespace logprefix

// Rewrites the log with these lines, each as a double quote, the text, a double quote and
// CR LF. Returns false when the file could not be written; callers go on with their failure
// path regardless (a read-only directory must not keep the player from seeing the message).
bool WriteErrorLog(std::span<const std::string> lines);

// Adds a line (a message the player could not be shown) to the log of the failure this process
// logged last, unless the log holds it already; with no such log it becomes the only line.
bool AddToErrorLog(const std::string& line);

// The common four lines: prefix + step, "Error was ", "Error source:  ", "Error Num:  ".
std::vector<std::string> StandardErrorLines(std::string_view prefix, std::string_view step,
                                            const PlatformError& error);

// Writes the common four lines. Same result as WriteErrorLog.
bool LogStandardError(std::string_view prefix, std::string_view step, const PlatformError& error);

// An unexpected failure where the program has no failure path of its own (a checked index, a
// library's throw), numbered as the run time numbers its errors: 9 for an index out of range,
// 7 for memory, 51 for anything else; a PlatformError keeps its own.
PlatformError AsRunTimeError(const std::exception& e);
// The run time's message for it: "Run-time error '9':", a blank line, the description.
std::string RunTimeErrorMessage(const PlatformError& error);
// Its log: the message's first line, then "Error was ", "Error source:  ", "Error Num:  ".
bool LogRunTimeError(const PlatformError& error);

}  // namespace gorb
