#include "frontend/SettingsFile.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <system_error>

#include "frontend/GameForm.h"
#include "frontend/UnlockedLevels.h"

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

// Reads the file's items as the writer lays them out: a quoted item runs to the next double
// quote (commas and line ends inside belong to it), anything else to the next comma or line
// end; a blank line is an empty item. CR LF, a lone LF and a lone CR all end a line.
class ItemReader {
public:
    explicit ItemReader(std::string_view text) : t_(text) {}

    bool AtEnd() const { return pos_ >= t_.size(); }

    std::string_view Next() {
        while (pos_ < t_.size() && IsBlank(t_[pos_])) ++pos_;
        std::string_view item;
        if (pos_ < t_.size() && t_[pos_] == '"') {
            const size_t start = pos_ + 1;
            size_t close = t_.find('"', start);
            if (close == std::string_view::npos) close = t_.size();
            item = t_.substr(start, close - start);
            pos_ = close < t_.size() ? close + 1 : close;
            // Whatever follows the closing quote up to the delimiter is not part of the item.
            while (pos_ < t_.size() && t_[pos_] != ',' && !IsLineEnd(t_[pos_])) ++pos_;
        } else {
            size_t end = pos_;
            while (end < t_.size() && t_[end] != ',' && !IsLineEnd(t_[end])) ++end;
            item = t_.substr(pos_, end - pos_);
            pos_ = end;
        }
        SkipDelimiter();
        return item;
    }

private:
    void SkipDelimiter() {
        if (pos_ >= t_.size()) return;
        if (t_[pos_] == ',' || t_[pos_] == '\n') {
            ++pos_;
        } else if (t_[pos_] == '\r') {
            ++pos_;
            if (pos_ < t_.size() && t_[pos_] == '\n') ++pos_;
        }
    }

    std::string_view t_;
    size_t pos_ = 0;
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

// Applies one item; false when the reading must stop there.
bool ApplyItem(const SettingsBinding& b, std::string_view raw) {
    std::string item(TrimBlanks(raw));
    for (char& c : item) c = AsciiUpper(c);
    if (item.size() < 6) return false;
    const std::string_view key = std::string_view(item).substr(0, 5);
    const std::string_view value = std::string_view(item).substr(6);  // the sixth character is skipped

    const std::optional<double> number = ParseNumber(value);
    long long n = 99;
    if (number) {
        const double r = RoundHalfEven(*number);
        if (r < -32768 || r > 32767) return false;
        n = static_cast<long long>(r);
    }
    const auto in = [n](long long lo, long long hi) { return n >= lo && n <= hi; };
    const auto idx = [n] { return static_cast<Integer>(n); };
    const SettingsControls& c = b.Controls;
    const SettingsValues& v = b.Values;

    if (key == "COLOR") {
        if (in(0, 2)) c.optColor.Select(idx());
    } else if (key == "RESOL") {
        if (in(0, 2)) c.optRes.Select(idx());
    } else if (key == "CONTR") {
        if (in(0, 1)) c.optControls.Select(idx());
    } else if (key == "PTALK") {
        if (in(0, 1)) c.optPilot.Select(idx());
    } else if (key == "BDIFF") {
        if (in(0, 1)) c.optDifficulty.Select(idx());
    } else if (key == "LEVLN") {
        v.HighestLevelNormal = ProgressOfWord(LevelCodeWordsNormal, value);
    } else if (key == "LEVLR") {
        v.HighestLevelRandom = ProgressOfWord(LevelCodeWordsRandom, value);
    } else if (key == "LEVEL") {
        // The value itself, fraction and all, must lie within 0..10.
        if (number && *number >= 0 && *number <= 10) {
            c.optLevel.Select(idx());
            v.StartLevel = idx();
        }
    } else if (key == "GTYPE") {
        const Integer type = in(0, 1) ? idx() : Integer{0};
        c.optPlay.Select(type);
        ShowUnlockedLevels(c.optLevel, v.HighestLevelNormal, v.HighestLevelRandom, type);
    } else if (key == "TUNE1") {
        if (in(0, 1)) c.chkFire.SetValue(idx());
    } else if (key == "TUNE2") {
        if (in(0, 1)) c.chkBack.SetValue(idx());
    } else if (key == "TUNE3") {
        if (in(0, 1)) c.chkCollision.SetValue(idx());
    } else if (key == "TUNE4") {
        if (in(0, 1)) c.chkOverload.SetValue(idx());
    } else if (key == "SOUND") {
        if (n == 1) v.SoundEnabled = True;  // a later entry can only switch sound on
    } else if (key == "JOYSA") {
        if (in(1, 9999)) v.JoySaturation = static_cast<Long>(n);
    } else if (key == "JFIRE") {
        if (in(0, 128)) v.JoyFireButton = idx();
    } else if (key == "JBOMB") {
        if (in(0, 128)) v.JoyBombButton = idx();
    } else if (key == "JEJCT") {
        if (in(0, 128)) v.JoyEjectButton = idx();
    }
    return true;
}

// Cuts a text that was not read to its end back to its last complete line.
std::string_view CompleteLines(std::string_view text) {
    const size_t last = text.find_last_of("\r\n");
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

}  // namespace

std::filesystem::path SettingsFilePath() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::filesystem::path folder = ec ? std::filesystem::current_path(ec) : exe.parent_path();
    return folder / kSettingsFileName;
}

void ApplySettingsText(const SettingsBinding& b, std::string_view text) {
    try {
        ItemReader reader(text);
        while (!reader.AtEnd())
            if (!ApplyItem(b, reader.Next())) return;
    } catch (const std::exception&) {
        // A click action that failed ends the reading like a bad entry does.
    }
}

void ReadSettings(const SettingsBinding& b, const std::filesystem::path& file) {
    std::string text;
    bool whole = true;
    try {
        std::ifstream in(file, std::ios::binary);
        if (!in) return;
        text.resize(kSettingsReadLimit + 1);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<size_t>(in.gcount()));
        // A read error or a file beyond the limit: only the complete lines read so far count.
        whole = !in.bad() && text.size() <= kSettingsReadLimit;
    } catch (const std::exception&) {
        return;
    }
    std::string_view view(text);
    if (!whole) view = CompleteLines(view.substr(0, std::min(view.size(), kSettingsReadLimit)));
    ApplySettingsText(b, view);
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

bool WriteSettings(const SettingsBinding& b, const std::filesystem::path& file) {
    const std::string text = SettingsText(b);
    std::filesystem::path temp = file;
    temp += ".new";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(::fileno(f)) == 0 && ok;  // on the disk before it replaces the old file
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, file, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
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

void ReadSettings(GameForm& f) { ReadSettings(BindingOf(f), FileOf(f)); }

void WriteSettings(GameForm& f) {
    // Nothing to tell the player: the old file stays whole, and the next game tries again.
    (void)WriteSettings(BindingOf(f), FileOf(f));
}

}  // namespace gorb
