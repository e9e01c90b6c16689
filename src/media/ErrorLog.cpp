#include "media/ErrorLog.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>

namespace gorb {

namespace {

// What this process wrote last, and where: a later message about the same failure is added to
// that log, while one found changed or elsewhere is not this failure's.
struct LastLog {
    std::filesystem::path Path;
    std::vector<std::string> Lines;
};
LastLog& Last() {
    static LastLog l;
    return l;
}

std::string Quoted(std::span<const std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += '"';
        text += line;
        text += "\"\r\n";
    }
    return text;
}

std::filesystem::path LogPath() {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(kErrorLogName, ec);
    return ec ? std::filesystem::path(kErrorLogName) : p;
}

}  // namespace

bool WriteErrorLog(std::span<const std::string> lines) {
    Last() = {LogPath(), std::vector<std::string>(lines.begin(), lines.end())};
    std::FILE* f = std::fopen(kErrorLogName, "wb");
    if (!f) return false;
    const std::string text = Quoted(lines);
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

bool AddToErrorLog(const std::string& line) {
    LastLog& last = Last();
    std::vector<std::string> lines{line};
    if (last.Path == LogPath()) {
        std::ifstream in(kErrorLogName, std::ios::binary);
        const std::string found{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in && found == Quoted(last.Lines)) {
            if (std::find(last.Lines.begin(), last.Lines.end(), line) != last.Lines.end()) return true;
            lines = last.Lines;
            lines.push_back(line);
        }
    }
    return WriteErrorLog(lines);
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

PlatformError AsRunTimeError(const std::exception& e) {
    if (const auto* p = dynamic_cast<const PlatformError*>(&e)) return *p;
    if (dynamic_cast<const std::out_of_range*>(&e))
        return PlatformError(err::SubscriptOutOfRange, std::string("Subscript out of range (") + e.what() + ")");
    if (dynamic_cast<const std::bad_alloc*>(&e)) return PlatformError(err::OutOfMemory, "Out of memory");
    return PlatformError(err::InternalError, std::string("Internal error (") + e.what() + ")");
}

namespace {
// The first line of the message and of the log.
std::string RunTimeErrorTitle(const PlatformError& error) {
    return "Run-time error '" + std::to_string(error.Number) + "':";
}
}  // namespace

std::string RunTimeErrorMessage(const PlatformError& error) {
    return RunTimeErrorTitle(error) + "\n\n" + error.Description;
}

bool LogRunTimeError(const PlatformError& error) { return LogStandardError(RunTimeErrorTitle(error), "", error); }

}  // namespace gorb
