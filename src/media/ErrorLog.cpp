#include "media/ErrorLog.h"

#include <cstdio>

namespace gorb {

bool WriteErrorLog(std::span<const std::string> lines) {
    std::FILE* f = std::fopen(kErrorLogName, "wb");
    if (!f) return false;
    bool ok = true;
    for (const std::string& line : lines) {
        std::string quoted;
        quoted.reserve(line.size() + 4);
        quoted += '"';
        quoted += line;
        quoted += "\"\r\n";
        if (std::fwrite(quoted.data(), 1, quoted.size(), f) != quoted.size()) ok = false;
    }
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

std::vector<std::string> StandardErrorLines(std::string_view prefix, std::string_view step,
                                            const PlatformError& error) {
    std::vector<std::string> lines;
    lines.push_back(std::string(prefix) + std::string(step));
    lines.push_back("Error was " + error.Description);
    lines.push_back("Error source:  " + error.Source);
    lines.push_back("Error Num:  " + std::to_string(error.Number));
    return lines;
}

bool LogStandardError(std::string_view prefix, std::string_view step, const PlatformError& error) {
    return WriteErrorLog(StandardErrorLines(prefix, step, error));
}

}  // namespace gorb
