#include "frontend/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <system_error>

#include "frontend/GameForm.h"
#include "frontend/UnlockedLevels.h"
#include "media/ErrorLog.h"

namespace gorb {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Where the reader takes its bytes from: a text in memory, or a file read a piece at a time.
class TextSource {
public:
    explicit TextSource(std::string_view text) : t_(text) {}
    int Peek() const { return pos_ < t_.size() ? static_cast<unsigned char>(t_[pos_]) : EOF; }
    void Bump() { ++pos_; }

private:
    std::string_view t_;
    size_t pos_ = 0;
};

class FileSource {
public:
    explicit FileSource(std::FILE* f) : f_(f) {}
    int Peek() {
        if (pos_ == len_ && !Fill()) return EOF;
        return static_cast<unsigned char>(buf_[pos_]);
    }
    void Bump() { ++pos_; }
    // The errno of a read that failed part way, 0 when the file was read to its end.
    int Error() const { return error_; }

private:
    bool Fill() {
        if (error_ || std::feof(f_)) return false;
        len_ = std::fread(buf_.data(), 1, buf_.size(), f_);
        pos_ = 0;
        if (len_ == 0 && std::ferror(f_)) error_ = errno ? errno : EIO;
        return len_ > 0;
    }
    std::FILE* f_;
    std::array<char, 64 * 1024> buf_{};
    size_t pos_ = 0, len_ = 0;
    int error_ = 0;
};

// Reads the file's items as the writer lays them out: a quoted item runs to the next double
// quote (commas and line ends inside belong to it), anything else to the next comma or line
// end; a blank line is an empty item. CR LF, a lone LF and a lone CR all end a line. An item
// longer than kSettingsItemLimit is not taken in: Next reports it, and the reading stops there.
template <class Source>
class ItemReader {
public:
    explicit ItemReader(Source& source) : s_(source) {}

    bool AtEnd() { return s_.Peek() == EOF; }

    // False for an item too long to be an entry.
    bool Next(std::string& item) {
        item.clear();
        bool fits = true;
        const auto take = [&](int c) {
            if (item.size() < kSettingsItemLimit) item.push_back(static_cast<char>(c));
            else fits = false;
        };
        while (IsBlank(Peek())) s_.Bump();
        if (s_.Peek() == '"') {
            s_.Bump();
            for (int c = s_.Peek(); c != EOF && c != '"'; c = s_.Peek()) take(c), s_.Bump();
            if (s_.Peek() == '"') s_.Bump();
            // Whatever follows the closing quote up to the delimiter is not part of the item.
            for (int c = s_.Peek(); c != EOF && c != ',' && !IsLineEnd(static_cast<char>(c)); c = s_.Peek()) s_.Bump();
        } else {
            for (int c = s_.Peek(); c != EOF && c != ',' && !IsLineEnd(static_cast<char>(c)); c = s_.Peek())
                take(c), s_.Bump();
        }
        SkipDelimiter();
        return fits;
    }

private:
    char Peek() { return static_cast<char>(s_.Peek()); }
    void SkipDelimiter() {
        const int c = s_.Peek();
        if (c == ',' || c == '\n') {
            s_.Bump();
        } else if (c == '\r') {
            s_.Bump();
            if (s_.Peek() == '\n') s_.Bump();
        }
    }

    Source& s_;
};

// A decimal number with an optional sign and fraction, blanks around it allowed. Exponents,
// thousands separators and currency signs do not count.
std::optional<double> ParseNumber(std::string_view s) {
    s = TrimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    size_t digits = 0, i = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0 || i != s.size()) return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    // Too many digits for a double: far outside every range the entries accept.
    if (ec == std::errc::result_out_of_range) return negative ? -1e300 : 1e300;
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return negative ? -v : v;
}

// The progress a code word stands for in its table; 0 for word 0 and for any other text.
Integer ProgressOfWord(std::string_view table, std::string_view value) {
    std::string word(TrimBlanks(value));
    for (char& c : word) c = AsciiLower(c);
    Integer progress = 0;
    for (Integer i = 1; i <= 10; ++i)
        if (TrimBlanks(table.substr(static_cast<size_t>(9 * i), 9)) == word) progress = i;
    return progress;
}

Integer ClampProgress(Integer& progress) {
    progress = ToInteger(Clamp(progress, 0, 10));
    return progress;
}

std::string_view CodeWord(std::string_view table, Integer progress) {
    return table.substr(static_cast<size_t>(9 * progress), 9);
}

// An entry's value: the number it reads as (if it does), and that number rounded, half to even
// (99 when the value is no number).
struct EntryValue {
    std::string_view Text;
    std::optional<double> Number;
    long long N = 99;
    Integer Index() const { return static_cast<Integer>(N); }
};

// What each key does with a value whose rounded number lies in its range; a value outside it is
// passed over and the reading goes on.
using Binding = const SettingsBinding&;
using Value = const EntryValue&;
struct EntryRule {
    std::string_view Key;
    long long Lo, Hi;
    void (*Apply)(Binding b, Value v);
};

// Every value an entry can have: the rule reads the value itself.
constexpr long long kLowest = INT16_MIN, kHighest = INT16_MAX;

constexpr EntryRule kEntryRules[] = {
    {"COLOR", 0, 2, [](Binding b, Value v) { b.Controls.optColor.Select(v.Index()); }},
    {"RESOL", 0, 2, [](Binding b, Value v) { b.Controls.optRes.Select(v.Index()); }},
    {"CONTR", 0, 1, [](Binding b, Value v) { b.Controls.optControls.Select(v.Index()); }},
    {"PTALK", 0, 1, [](Binding b, Value v) { b.Controls.optPilot.Select(v.Index()); }},
    {"BDIFF", 0, 1, [](Binding b, Value v) { b.Controls.optDifficulty.Select(v.Index()); }},
    {"LEVLN", kLowest, kHighest,
     [](Binding b, Value v) { b.Values.HighestLevelNormal = ProgressOfWord(LevelCodeWordsNormal, v.Text); }},
    {"LEVLR", kLowest, kHighest,
     [](Binding b, Value v) { b.Values.HighestLevelRandom = ProgressOfWord(LevelCodeWordsRandom, v.Text); }},
    {"LEVEL", kLowest, kHighest,
     [](Binding b, Value v) {
         // The value itself, fraction and all, must lie within 0..10.
         if (!v.Number || *v.Number < 0 || *v.Number > 10) return;
         b.Controls.optLevel.Select(v.Index());
         b.Values.StartLevel = v.Index();
     }},
    {"GTYPE", kLowest, kHighest,
     [](Binding b, Value v) {
         const Integer type = v.N >= 0 && v.N <= 1 ? v.Index() : Integer{0};
         b.Controls.optPlay.Select(type);
         ShowUnlockedLevels(b.Controls.optLevel, b.Values.HighestLevelNormal, b.Values.HighestLevelRandom, type);
     }},
    {"TUNE1", 0, 1, [](Binding b, Value v) { b.Controls.chkFire.SetValue(v.Index()); }},
    {"TUNE2", 0, 1, [](Binding b, Value v) { b.Controls.chkBack.SetValue(v.Index()); }},
    {"TUNE3", 0, 1, [](Binding b, Value v) { b.Controls.chkCollision.SetValue(v.Index()); }},
    {"TUNE4", 0, 1, [](Binding b, Value v) { b.Controls.chkOverload.SetValue(v.Index()); }},
    // A later entry can only switch sound on.
    {"SOUND", 1, 1, [](Binding b, Value) { b.Values.SoundEnabled = True; }},
    {"JOYSA", 1, 9999, [](Binding b, Value v) { b.Values.JoySaturation = static_cast<Long>(v.N); }},
    {"JFIRE", 0, 128, [](Binding b, Value v) { b.Values.JoyFireButton = v.Index(); }},
    {"JBOMB", 0, 128, [](Binding b, Value v) { b.Values.JoyBombButton = v.Index(); }},
    {"JEJCT", 0, 128, [](Binding b, Value v) { b.Values.JoyEjectButton = v.Index(); }},
};

// Applies one item; false when the reading must stop there.
bool ApplyItem(const SettingsBinding& b, std::string_view raw) {
    std::string item(TrimBlanks(raw));
    for (char& c : item) c = AsciiUpper(c);
    if (item.size() < 6) return false;
    const std::string_view key = std::string_view(item).substr(0, 5);

    EntryValue v;
    v.Text = std::string_view(item).substr(6);  // the sixth character is skipped
    v.Number = ParseNumber(v.Text);
    if (v.Number) {
        const double r = RoundHalfEven(*v.Number);
        if (r < -32768 || r > 32767) return false;
        v.N = static_cast<long long>(r);
    }
    for (const EntryRule& rule : kEntryRules)
        if (key == rule.Key && v.N >= rule.Lo && v.N <= rule.Hi) rule.Apply(b, v);
    return true;
}

// Applies the items in order until the end or the first that stops the reading.
template <class Source>
void ApplyItems(const SettingsBinding& b, Source& source) {
    try {
        ItemReader<Source> reader(source);
        std::string item;
        while (!reader.AtEnd())
            if (!reader.Next(item) || !ApplyItem(b, item)) return;
    } catch (const std::exception&) {
        // A click action that failed ends the reading like a bad entry does.
    }
}

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

std::filesystem::path SettingsFilePath() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::filesystem::path folder = ec ? std::filesystem::current_path(ec) : exe.parent_path();
    return folder / kSettingsFileName;
}

void ApplySettingsText(const SettingsBinding& b, std::string_view text) {
    TextSource source(text);
    ApplyItems(b, source);
}

SettingsFileRead ReadSettings(const SettingsBinding& b, const std::filesystem::path& file) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) {
        // Only a file that is not there is taken as absent; one that is there stays untouched.
        if (errno == ENOENT) return {};
        return {true, Reason(errno)};
    }
    FileSource source(f);
    ApplyItems(b, source);
    // A read that failed part way (a folder by that name fails at once): the entries read so
    // far stay applied, and the file stays as it is.
    while (!source.Error() && source.Peek() != EOF) source.Bump();
    const int error = source.Error();
    std::fclose(f);
    if (error) return {true, Reason(error)};
    return {};
}

std::string SettingsText(const SettingsBinding& b) {
    const SettingsControls& c = b.Controls;
    const SettingsValues& v = b.Values;
    std::string out;
    const auto line = [&out](std::string_view key, std::string_view value) {
        out += '"';
        out += key;
        out += '=';
        out += value;
        out += "\"\r\n";
    };
    const auto number = [](long long x) { return std::to_string(x); };
    const auto firstOrNot = [](const OptionGroup& g) { return g.Value(0) ? "0" : "1"; };
    const auto tick = [](const CheckBox& box) { return box.Value() == 0 ? "0" : "1"; };

    line("COLOR", number(c.optColor.Selected() < 0 ? 0 : c.optColor.Selected()));
    line("RESOL", number(c.optRes.Selected() < 0 ? 0 : c.optRes.Selected()));
    line("CONTR", firstOrNot(c.optControls));
    line("LEVEL", number(Clamp(v.StartLevel, 0, 10)));
    line("BDIFF", firstOrNot(c.optDifficulty));
    line("PTALK", firstOrNot(c.optPilot));
    line("LEVLN", CodeWord(LevelCodeWordsNormal, ClampProgress(v.HighestLevelNormal)));
    line("LEVLR", CodeWord(LevelCodeWordsRandom, ClampProgress(v.HighestLevelRandom)));
    line("GTYPE", firstOrNot(c.optPlay));
    line("TUNE1", tick(c.chkFire));
    line("TUNE2", tick(c.chkBack));
    line("TUNE3", tick(c.chkCollision));
    line("TUNE4", tick(c.chkOverload));
    line("SOUND", v.SoundEnabled == True ? "1" : "0");
    line("JOYSA", number(v.JoySaturation));
    line("JFIRE", number(v.JoyFireButton));
    line("JBOMB", number(v.JoyBombButton));
    line("JEJCT", number(v.JoyEjectButton));
    return out;
}

namespace {

// Writes all of text to fd from its start; false with errno set when that fails.
bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file a settings path names: through any symbolic links to the file they point at, so that
// the link stays and its target is what gets updated.
bool ResolveLinks(std::filesystem::path& path, std::string& why) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(path, ec)) return true;
        std::filesystem::path to = std::filesystem::read_symlink(path, ec);
        if (ec) {
            why = ec.message();
            return false;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    why = Reason(ELOOP);
    return false;
}

// The text as the whole content of the open file, on the disk, and the file closed: false with
// the reason when any of that failed (the file is closed all the same).
bool WriteSyncClose(int fd, const std::string& text, std::string& why) {
    bool ok = WriteAll(fd, text) && ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && ::fsync(fd) == 0;
    if (!ok) why = Reason(errno);
    if (::close(fd) != 0 && ok) {
        why = Reason(errno);
        ok = false;
    }
    return ok;
}

// The new text written in place: when no new file can be made in the folder, the old one is
// overwritten from its start and cut to the new length.
bool WriteInPlace(const std::filesystem::path& file, const std::string& text, std::string& why) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        why = Reason(errno);
        return false;
    }
    return WriteSyncClose(fd, text, why);
}

// The text saved as the file the path names; false with the reason when nothing was saved.
bool SaveText(const std::filesystem::path& path, const std::string& text, std::string& why) {
    std::filesystem::path file = path;
    if (!ResolveLinks(file, why)) return false;
    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        why = Reason(errno);
        return false;
    }
    // A file without write permission is the player's way of keeping it as it is.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0)) {
        why = "the file is read-only";
        return false;
    }
    // The new file beside the old one, renamed over it once it is complete: a kill at any
    // moment leaves the old file or the new one.
    std::filesystem::path temp = file;
    temp += ".new";
    const mode_t mode = exists ? (old.st_mode & 07777) : 0666;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        // A folder where no file may be made (read-only, or owned by another user) still lets
        // a writable file be updated in place.
        if (exists && (errno == EACCES || errno == EPERM)) return WriteInPlace(file, text, why);
        why = Reason(errno);
        return false;
    }
    if (exists) {
        // The new file keeps the old one's permissions and, where allowed, its owner.
        (void)::fchmod(fd, mode);
        (void)::fchown(fd, old.st_uid, old.st_gid);
    }
    bool written = WriteSyncClose(fd, text, why);  // on the disk before it replaces the old
    if (written && ::rename(temp.c_str(), file.c_str()) != 0) {
        why = Reason(errno);
        written = false;
    }
    if (!written) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself on the disk.
    const int dir = ::open(file.parent_path().empty() ? "." : file.parent_path().c_str(), O_RDONLY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace

bool WriteSettings(const SettingsBinding& b, const std::filesystem::path& path, std::string* reason) {
    std::string why;
    const bool ok = SaveText(path, SettingsText(b), why);
    if (reason) *reason = why;
    return ok;
}

namespace {

SettingsBinding BindingOf(GameForm& f) {
    Settings& s = f.G->Setup;
    JoystickSettings& j = f.JoySettings;
    return {{*f.optColor, *f.optRes, *f.optControls, *f.optLevel, *f.optDifficulty, *f.optPilot, *f.optPlay,
             *f.chkFire, *f.chkBack, *f.chkCollision, *f.chkOverload},
            {s.StartLevel, s.HighestLevelNormal, s.HighestLevelRandom, f.SoundEnabled, j.JoySaturation,
             j.JoyFireButton, j.JoyBombButton, j.JoyEjectButton}};
}

std::filesystem::path FileOf(const GameForm& f) {
    return f.Seams.SettingsFolder.empty() ? SettingsFilePath() : f.Seams.SettingsFolder / kSettingsFileName;
}

}  // namespace

void ReadSettings(GameForm& f) {
    const SettingsFileRead read = ReadSettings(BindingOf(f), FileOf(f));
    f.SettingsUnreadable = read.Unreadable ? read.Reason : std::string();
}

void WriteSettings(GameForm& f) {
    const std::filesystem::path file = FileOf(f);
    std::string why;
    if (!f.SettingsUnreadable.empty()) {
        // The player's progress may be in there: a file that could not be read is never replaced.
        why = "the file could not be read at start-up (" + f.SettingsUnreadable + "), so it is left as it was";
    } else if (WriteSettings(BindingOf(f), file, &why)) {
        return;
    }
    // The settings in memory stand and the game goes on; the next game tries again.
    const std::string lines[] = {std::string(logprefix::WriteSettings) + "saving " + file.string(), "Error was " + why};
    WriteErrorLog(lines);
    std::fprintf(stderr, "Gorbulant: the settings were not saved to %s: %s\n", file.c_str(), why.c_str());
}

}  // namespace gorb
