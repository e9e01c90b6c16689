// The settings file: what the writer writes, reading it back, every malformed form a player's
// hand edit can take, missing and unwritable files, and the start levels per game type.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include "FrontendMenu.h"
#include "MediaTestDir.h"
#include "frontend/SettingsFile.h"
#include "frontend/UnlockedLevels.h"

using namespace gorb;
using gorb::test::TestMenu;

namespace {

void WriteText(const std::filesystem::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary);
    out << text;
}

// The observable state of the menu and the values, for comparisons.
std::string State(TestMenu& m) {
    std::string s;
    for (const OptionGroup* g : {&m.optColor, &m.optRes, &m.optControls, &m.optLevel, &m.optDifficulty, &m.optPilot,
                                 &m.optPlay})
        s += std::to_string(g->Selected()) + ",";
    for (const CheckBox* b : {&m.chkFire, &m.chkBack, &m.chkCollision, &m.chkOverload}) s += std::to_string(b->Value());
    s += " start=" + std::to_string(m.StartLevel) + " n=" + std::to_string(m.HighestLevelNormal) +
         " r=" + std::to_string(m.HighestLevelRandom) + " sound=" + std::to_string(m.SoundEnabled) +
         " joy=" + std::to_string(m.JoySaturation) + "/" + std::to_string(m.JoyFireButton) + "/" +
         std::to_string(m.JoyBombButton) + "/" + std::to_string(m.JoyEjectButton);
    return s;
}

}  // namespace

TEST(SettingsFile, WriterWritesEighteenQuotedLinesInTheirOrder) {
    TestMenu m;
    m.optColor.Select(2);
    m.optRes.Select(1);
    m.optControls.Select(1);
    m.optPilot.Select(1);
    m.HighestLevelNormal = 4;
    m.HighestLevelRandom = 10;
    m.optPlay.Select(1);
    m.optLevel.Select(3);
    m.chkBack.SetValue(1);
    m.chkOverload.SetValue(1);
    m.SoundEnabled = True;
    m.JoySaturation = 9999;
    m.JoyFireButton = 128;
    m.JoyBombButton = 1;
    m.JoyEjectButton = 2;
    EXPECT_EQ(SettingsText(m.Binding()),
              "\"COLOR=2\"\r\n\"RESOL=1\"\r\n\"CONTR=1\"\r\n\"LEVEL=3\"\r\n\"BDIFF=0\"\r\n\"PTALK=1\"\r\n"
              "\"LEVLN=lantern  \"\r\n\"LEVLR=juniper  \"\r\n\"GTYPE=1\"\r\n\"TUNE1=0\"\r\n\"TUNE2=1\"\r\n"
              "\"TUNE3=0\"\r\n\"TUNE4=1\"\r\n\"SOUND=1\"\r\n\"JOYSA=9999\"\r\n\"JFIRE=128\"\r\n\"JBOMB=1\"\r\n"
              "\"JEJCT=2\"\r\n");
}

TEST(SettingsFile, WriterClampsProgressAndWritesStartLevelTenAsTwoDigits) {
    TestMenu m;
    m.HighestLevelNormal = 12;
    m.HighestLevelRandom = -3;
    m.optLevel.Select(10);
    const std::string text = SettingsText(m.Binding());
    EXPECT_NE(text.find("\"LEVEL=10\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"LEVLN=fennel   \"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"LEVLR=opening  \"\r\n"), std::string::npos);
    EXPECT_EQ(m.HighestLevelNormal, 10);  // the value keeps the clamped progress
    EXPECT_EQ(m.HighestLevelRandom, 0);

    // One digit up to "Level 10" (index 9), two only for "FINAL".
    for (auto [level, line] : {std::pair{0, "\"LEVEL=0\"\r\n"}, std::pair{9, "\"LEVEL=9\"\r\n"}}) {
        TestMenu one;
        one.HighestLevelNormal = 10;
        one.optPlay.Select(0);
        one.optLevel.Select(static_cast<Integer>(level));
        EXPECT_NE(SettingsText(one.Binding()).find(line), std::string::npos) << level;
    }
}

TEST(SettingsFile, WrittenFileReadsBackToTheSameChoicesAndValues) {
    gorb::testing::ScopedWorkDir dir;
    const auto file = dir.Path() / kSettingsFileName;
    // Three states: everything at its far end, everything at the start, a mixed one.
    const std::vector<std::function<void(TestMenu&)>> states = {
        [](TestMenu& m) {
            m.optColor.Select(2);
            m.optRes.Select(2);
            m.optControls.Select(1);
            m.optDifficulty.Select(1);
            m.optPilot.Select(1);
            m.HighestLevelNormal = 10;
            m.HighestLevelRandom = 10;
            m.optPlay.Select(1);
            m.optLevel.Select(10);
            for (CheckBox* b : {&m.chkFire, &m.chkBack, &m.chkCollision, &m.chkOverload}) b->SetValue(1);
            m.SoundEnabled = True;
            m.JoySaturation = 9999;
            m.JoyFireButton = 128;
            m.JoyBombButton = 127;
            m.JoyEjectButton = 31;
        },
        [](TestMenu& m) { m.optColor.Select(0); },
        [](TestMenu& m) {
            m.HighestLevelNormal = 6;
            m.HighestLevelRandom = 3;
            m.optLevel.Select(5);
            m.chkCollision.SetValue(1);
            m.JoySaturation = 1;
        },
    };
    for (size_t i = 0; i < states.size(); ++i) {
        TestMenu written;
        states[i](written);
        ASSERT_TRUE(WriteSettings(written.Binding(), file));
        EXPECT_FALSE(std::filesystem::exists(file.string() + ".new"));
        TestMenu read;
        ReadSettings(read.Binding(), file);
        EXPECT_EQ(State(read), State(written)) << "state " << i;
    }
}

// Each case: the file's text and what the reader makes of it, as a few fields of the state.
struct ReadCase {
    const char* name;
    std::string text;
    std::function<void(TestMenu&)> check;
};

TEST(SettingsFile, ReaderTakesHandEditedAndDamagedFilesWithoutLosingTheRest) {
    const std::string big(200000, '7');
    const std::vector<ReadCase> cases = {
        {"empty file", "", [](TestMenu& m) { EXPECT_EQ(m.Clicks.size(), 0u); }},
        {"lower-case key selects", "color=0\r\n", [](TestMenu& m) { EXPECT_EQ(m.optColor.Selected(), 0); }},
        {"out of range and text ignored", "COLOR=3\r\nCOLOR=x\r\nRESOL=2\r\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.optColor.Selected(), 1);
             EXPECT_EQ(m.optRes.Selected(), 2);
         }},
        {"GTYPE=7 selects the normal game", "GTYPE=1\nGTYPE=7\n", [](TestMenu& m) { EXPECT_EQ(m.optPlay.Selected(), 0); }},
        {"LEVEL rules", "LEVEL=abc\r\nLEVEL=11\r\nLEVEL=-1\r\nLEVEL=10.5\r\nJOYSA=5\r\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.optLevel.Selected(), 0);
             EXPECT_EQ(m.JoySaturation, 5);  // read on after them
         }},
        {"LEVEL=9.5 is FINAL", "LEVEL=9.5", [](TestMenu& m) {
             EXPECT_EQ(m.optLevel.Selected(), 10);
             EXPECT_EQ(m.StartLevel, 10);
         }},
        {"sound can only be switched on", "SOUND=1\nSOUND=0\n", [](TestMenu& m) { EXPECT_EQ(m.SoundEnabled, True); }},
        {"SOUND=0 leaves it off", "SOUND=0\r\nSOUND=2\r\n", [](TestMenu& m) { EXPECT_EQ(m.SoundEnabled, False); }},
        {"joystick ranges", "JOYSA=abc\nJFIRE=128\nJBOMB=129\nJEJCT=-1\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.JoySaturation, 99);
             EXPECT_EQ(m.JoyFireButton, 128);
             EXPECT_EQ(m.JoyBombButton, 0);
             EXPECT_EQ(m.JoyEjectButton, 0);
         }},
        {"JOYSA 10000 and 0 ignored", "JOYSA=7\nJOYSA=10000\nJOYSA=0\n", [](TestMenu& m) { EXPECT_EQ(m.JoySaturation, 7); }},
        {"halves round to even", "JOYSA=2.5\nJFIRE=3.5\nJBOMB= +4.5 \n",
         [](TestMenu& m) {
             EXPECT_EQ(m.JoySaturation, 2);
             EXPECT_EQ(m.JoyFireButton, 4);
             EXPECT_EQ(m.JoyBombButton, 4);
         }},
        {"code words in any case, word 0 and the other table's words give 0",
         "LEVLN=TUNDRA\nLEVLR=  Pebble \nLEVLN=opening\nLEVLR=teapot\nLEVLN=Quiver\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.HighestLevelNormal, 5);
             EXPECT_EQ(m.HighestLevelRandom, 0);
         }},
        {"a blank line ends the reading", "\"JOYSA=5\"\r\n\r\n\"JOYSA=6\"\r\n", [](TestMenu& m) { EXPECT_EQ(m.JoySaturation, 5); }},
        {"a five-character item ends the reading", "JOYSA=5\r\nSOUND\r\nJOYSA=6\r\n",
         [](TestMenu& m) { EXPECT_EQ(m.JoySaturation, 5); }},
        {"a number beyond 16 bits ends the reading", "JOYSA=5\nJFIRE=32767.5\nJOYSA=6\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.JoySaturation, 5);
             EXPECT_EQ(m.JoyFireButton, 0);
         }},
        {"an overlong number ends the reading", "JOYSA=5\nJOYSA=" + big + "\nJOYSA=6\n",
         [](TestMenu& m) { EXPECT_EQ(m.JoySaturation, 5); }},
        {"an overlong unknown entry is skipped", "XXXXX=" + std::string(200000, 'a') + "\nJOYSA=6\n", [](TestMenu& m) { EXPECT_EQ(m.JoySaturation, 6); }},
        {"unknown keys skipped", "HELLO=1\r\nCOLOR=0\r\n", [](TestMenu& m) { EXPECT_EQ(m.optColor.Selected(), 0); }},
        {"lone CR and LF line ends", "COLOR=0\rRESOL=2\nCONTR=1", [](TestMenu& m) {
             EXPECT_EQ(m.optColor.Selected(), 0);
             EXPECT_EQ(m.optRes.Selected(), 2);
             EXPECT_EQ(m.optControls.Selected(), 1);
         }},
        {"commas split plain items, not quoted ones", "COLOR=0,RESOL=2\r\n\"LEVLN=marble,x\"\r\nJOYSA=3\r\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.optColor.Selected(), 0);
             EXPECT_EQ(m.optRes.Selected(), 2);
             EXPECT_EQ(m.HighestLevelNormal, 0);
             EXPECT_EQ(m.JoySaturation, 3);
         }},
        {"blanks around quotes and after the closing quote", "  \"COLOR=0\" junk\r\n\"RESOL= 2 \"\r\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.optColor.Selected(), 0);
             EXPECT_EQ(m.optRes.Selected(), 2);
         }},
        {"the sixth character is skipped whatever it is", "COLOR:0\n", [](TestMenu& m) { EXPECT_EQ(m.optColor.Selected(), 0); }},
        {"no exponents or separators", "JOYSA=1e3\nJFIRE=1,0\nJBOMB=$5\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.JoySaturation, 99);
             EXPECT_EQ(m.JoyFireButton, 1);  // "1" then the item "0", which ends the reading
             EXPECT_EQ(m.JoyBombButton, 0);
         }},
        {"an unclosed quote runs to the end", "COLOR=0\n\"RESOL=2", [](TestMenu& m) {
             EXPECT_EQ(m.optColor.Selected(), 0);
             EXPECT_EQ(m.optRes.Selected(), 2);
         }},
        {"binary junk", std::string("COLOR=0\n\0\xff\xfe\x01=\x80\n", 15) + "RESOL=2\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.optColor.Selected(), 0);
             EXPECT_EQ(m.optRes.Selected(), 2);
         }},
        {"check boxes click only on a change", "TUNE1=1\nTUNE1=1\nTUNE2=0\nTUNE3=1\nTUNE4=2\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.chkFire.Value(), 1);
             EXPECT_EQ(m.chkCollision.Value(), 1);
             EXPECT_EQ(m.chkOverload.Value(), 0);
             EXPECT_EQ(m.Clicks, (std::vector<std::string>{"check 1", "check 1"}));
         }},
        {"an option click runs also for the selected button", "PTALK=0\n",
         [](TestMenu& m) { EXPECT_EQ(m.Clicks, std::vector<std::string>{"pilot 0"}); }},
        {"GTYPE unlocks with the progress read so far", "LEVEL=6\nLEVLN=tundra\nGTYPE=0\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.optLevel.Selected(), 6);
             EXPECT_TRUE(m.optLevel[6].Visible());
             EXPECT_FALSE(m.optLevel[8].Visible());
         }},
        {"a start level before GTYPE is moved down to the unlocked ones", "LEVEL=6\nLEVLN=marble\nGTYPE=0\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.optLevel.Selected(), 1);
             EXPECT_EQ(m.StartLevel, 1);
         }},
        {"a start level after GTYPE stays even when locked", "LEVLN=marble\nGTYPE=0\nLEVEL=6\n",
         [](TestMenu& m) {
             EXPECT_EQ(m.optLevel.Selected(), 6);
             EXPECT_EQ(m.StartLevel, 6);
         }},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestMenu m;
        ApplySettingsText(m.Binding(), c.text);
        c.check(m);
    }
}

TEST(SettingsFile, MissingOrUnreadableFileChangesNothing) {
    gorb::testing::ScopedWorkDir dir;
    TestMenu m;
    const std::string before = State(m);
    EXPECT_FALSE(ReadSettings(m.Binding(), dir.Path() / "no-such.ini").Unreadable);
    // There but not readable: a folder by that name, a link that leads round in a circle.
    std::filesystem::create_directory(dir.Path() / "adir.ini");
    std::filesystem::create_symlink("loop.ini", dir.Path() / "loop.ini");
    for (const char* name : {"adir.ini", "loop.ini"}) {
        const SettingsFileRead read = ReadSettings(m.Binding(), dir.Path() / name);
        EXPECT_TRUE(read.Unreadable) << name;
        EXPECT_FALSE(read.Reason.empty()) << name;
    }
    EXPECT_EQ(State(m), before);
    EXPECT_TRUE(m.Clicks.empty());
}

TEST(SettingsFile, LargeFileIsReadToItsEndButAnOverlongEntryStopsTheReading) {
    gorb::testing::ScopedWorkDir dir;
    const auto file = dir.Path() / kSettingsFileName;
    std::string text = "COLOR=0\r\n";
    while (text.size() <= (3u << 20)) text += "XXXXX=1\r\n";
    WriteText(file, text + "RESOL=2\r\n");
    TestMenu m;
    EXPECT_FALSE(ReadSettings(m.Binding(), file).Unreadable);
    EXPECT_EQ(m.optColor.Selected(), 0);
    EXPECT_EQ(m.optRes.Selected(), 2);

    // One entry longer than any entry can be is a bad one: the reading ends there.
    WriteText(file, "COLOR=0\r\n\"JOYSA=" + std::string(kSettingsItemLimit, '1') + "\"\r\nRESOL=2\r\n");
    TestMenu n;
    EXPECT_FALSE(ReadSettings(n.Binding(), file).Unreadable);
    EXPECT_EQ(n.optColor.Selected(), 0);
    EXPECT_EQ(n.optRes.Selected(), 0);
    EXPECT_EQ(n.JoySaturation, 0);
}

TEST(SettingsFile, FailedWriteKeepsTheOldFileAndTheValues) {
    gorb::testing::ScopedWorkDir dir;
    const auto file = dir.Path() / kSettingsFileName;
    WriteText(file, "\"LEVLN=fennel   \"\r\n");
    // The new file cannot be created: its name is taken by a directory.
    std::filesystem::create_directory(file.string() + ".new");
    TestMenu m;
    m.HighestLevelNormal = 3;
    EXPECT_FALSE(WriteSettings(m.Binding(), file));
    EXPECT_EQ(gorb::testing::ReadFile(file), "\"LEVLN=fennel   \"\r\n");
    EXPECT_EQ(m.HighestLevelNormal, 3);
    // A folder that does not exist.
    EXPECT_FALSE(WriteSettings(m.Binding(), dir.Path() / "missing" / kSettingsFileName));
}

namespace {

mode_t ModeOf(const std::filesystem::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Runs the body in a child process without root's right to ignore file permissions (as the
// user nobody when the tests run as root); false when the child failed.
bool AsUnprivileged(const std::function<void()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A folder of the system's temporary folder that the unprivileged user can reach: the build
// folder's own parents may be closed to others (a clone in a private temporary folder).
class ReachableDir {
public:
    ReachableDir() {
        std::string t = (std::filesystem::temp_directory_path() / "gorb-settings-XXXXXX").string();
        if (!::mkdtemp(t.data())) throw std::runtime_error("mkdtemp failed");
        path_ = t;
        std::filesystem::permissions(path_, std::filesystem::perms(0777));
    }
    ~ReachableDir() {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(path_, ec))
            if (e.is_directory(ec)) std::filesystem::permissions(e.path(), std::filesystem::perms(0755), ec);
        std::filesystem::remove_all(path_, ec);
    }
    ReachableDir(const ReachableDir&) = delete;
    ReachableDir& operator=(const ReachableDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

TEST(SettingsFile, WritesThroughALinkKeepsTheModeAndLeavesAReadOnlyFile) {
    gorb::testing::ScopedWorkDir dir;
    TestMenu m;
    m.HighestLevelNormal = 2;
    const std::string text = SettingsText(m.Binding());

    // The file keeps its permissions.
    const auto file = dir.Path() / kSettingsFileName;
    WriteText(file, "\"COLOR=0\"\r\n");
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    ASSERT_TRUE(WriteSettings(m.Binding(), file));
    EXPECT_EQ(gorb::testing::ReadFile(file), text);
    EXPECT_EQ(ModeOf(file), 0640u);

    // A link stays a link, and what it points at is updated, again and again.
    std::filesystem::create_directory(dir.Path() / "real");
    const auto target = dir.Path() / "real" / "mine.ini";
    WriteText(target, "\"COLOR=0\"\r\n");
    const auto link = dir.Path() / "linked" / kSettingsFileName;
    std::filesystem::create_directory(dir.Path() / "linked");
    std::filesystem::create_symlink("../real/mine.ini", link);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(WriteSettings(m.Binding(), link));
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(gorb::testing::ReadFile(target), text);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "real" / "mine.ini.new"));

    // No write permission: not written, whoever runs the game.
    WriteText(file, "\"COLOR=0\"\r\n");
    std::filesystem::permissions(file, std::filesystem::perms(0444));
    std::string why;
    EXPECT_FALSE(WriteSettings(m.Binding(), file, &why));
    EXPECT_EQ(why, "the file is read-only");
    EXPECT_EQ(gorb::testing::ReadFile(file), "\"COLOR=0\"\r\n");
    EXPECT_EQ(ModeOf(file), 0444u);
}

TEST(SettingsFile, WithoutTheRightsOfRootAnUnreadableFileIsKeptAndAReadOnlyFolderIsWrittenInPlace) {
    ReachableDir dir;
    const auto closed = dir.Path() / "closed.ini";
    WriteText(closed, "\"LEVLN=fennel   \"\r\n");
    std::filesystem::permissions(closed, std::filesystem::perms(0));
    const auto locked = dir.Path() / "locked";
    std::filesystem::create_directory(locked);
    WriteText(locked / kSettingsFileName, "\"COLOR=0\"\r\n");
    std::filesystem::permissions(locked / kSettingsFileName, std::filesystem::perms(0666));
    std::filesystem::permissions(locked, std::filesystem::perms(0555));

    const bool ok = AsUnprivileged([&] {
        TestMenu m;
        const SettingsFileRead read = ReadSettings(m.Binding(), closed);
        EXPECT_TRUE(read.Unreadable);
        EXPECT_EQ(read.Reason, std::strerror(EACCES));
        EXPECT_EQ(m.HighestLevelNormal, 0);

        // No new file can be made beside it: the file itself is rewritten.
        m.HighestLevelNormal = 4;
        std::string why;
        EXPECT_TRUE(WriteSettings(m.Binding(), locked / kSettingsFileName, &why)) << why;
        EXPECT_EQ(gorb::testing::ReadFile(locked / kSettingsFileName), SettingsText(m.Binding()));
        // ... but there is no file to rewrite in an empty read-only folder.
        EXPECT_FALSE(WriteSettings(m.Binding(), locked / "other.ini", &why));
        EXPECT_EQ(why, std::strerror(EACCES));
    });
    std::filesystem::permissions(locked, std::filesystem::perms(0755));
    EXPECT_TRUE(ok);
    EXPECT_FALSE(std::filesystem::exists(locked / "ZORBELS.INI.new"));
}

TEST(SettingsFile, PathIsTheProgramsFolder) {
    const auto p = SettingsFilePath();
    EXPECT_EQ(p.filename(), kSettingsFileName);
    EXPECT_EQ(p.parent_path(), std::filesystem::canonical("/proc/self/exe").parent_path());
}

// ---------------------------------------------------------------------------------------------
// Start levels per game type

namespace {

std::string VisibleLevels(const OptionGroup& g) {
    std::string s;
    for (Integer i = 0; i < g.Count(); ++i) s += g[i].Visible() ? 'v' : '-';
    return s;
}

}  // namespace

TEST(UnlockedLevels, ProgressShowsItsButtonsAndMovesTheSelectionDownStepByStep) {
    struct Case {
        Integer normal, random, type, selected;
        const char* visible;
        std::vector<std::string> clicks;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, 10, "v----------", {"level 9", "level 8", "level 7", "level 6", "level 5", "level 4", "level 3",
                                       "level 2", "level 1", "level 0"}},
        {10, 0, 0, 10, "vvvvvvvvvvv", {}},
        {4, 0, 0, 7, "vvvvv------", {"level 6", "level 5", "level 4"}},
        {4, 0, 0, 3, "vvvvv------", {}},
        {0, 2, 1, 4, "vvv--------", {"level 3", "level 2"}},
        {9, 2, 5, 1, "vvv--------", {}},   // any type but 0 is the random game
        {12, 0, 0, 10, "vvvvvvvvvvv", {}},  // a damaged progress offers what exists
    };
    for (const Case& c : cases) {
        TestMenu m;
        for (Integer i = 1; i <= 10; ++i) m.optLevel[i].SetEnabled(false);
        m.optLevel.Select(c.selected);
        m.HighestLevelNormal = c.normal;
        m.HighestLevelRandom = c.random;
        m.Clicks.clear();
        ShowUnlockedLevels(m.optLevel, m.HighestLevelNormal, m.HighestLevelRandom, c.type);
        EXPECT_EQ(VisibleLevels(m.optLevel), c.visible) << c.normal << "/" << c.random;
        EXPECT_EQ(m.Clicks, c.clicks) << c.normal << "/" << c.random;
        for (Integer i = 1; i <= 10; ++i) {
            if (m.optLevel[i].Visible()) {
                EXPECT_TRUE(m.optLevel[i].Enabled());
            }
        }
        EXPECT_EQ(m.StartLevel, m.optLevel.Selected());
    }
}

TEST(UnlockedLevels, SwitchingGameTypeKeepsALowerSelection) {
    TestMenu m;
    m.HighestLevelNormal = 5;
    m.HighestLevelRandom = 2;
    m.optPlay.Select(0);
    m.optLevel.Select(4);
    m.optPlay.Select(1);  // "Random Game"
    EXPECT_EQ(VisibleLevels(m.optLevel), "vvv--------");
    EXPECT_EQ(m.optLevel.Selected(), 2);
    m.optPlay.Select(0);  // back to "Normal Game"
    EXPECT_EQ(VisibleLevels(m.optLevel), "vvvvvv-----");
    EXPECT_EQ(m.optLevel.Selected(), 2);
    EXPECT_EQ(m.StartLevel, 2);
}
