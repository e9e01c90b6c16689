#include "GameDataValidator.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <sstream>

#include "data/GameDataLoader.h"
#include "data/TypeTemplates.h"
#include "platform/PlatformError.h"
#include "platform/Resources.h"

namespace gorb::test {

StringTable ShippedStringTable() {
    StringTable t;
    for (int id = 101; id <= 593; ++id)
        if (res::HasString(id)) t[id] = res::LoadString(id);
    return t;
}

namespace {

constexpr int kPlayW = 612;
constexpr int kConvertedCore = 100;  // stands for a type-38 record after the takeover
constexpr int kNever = 3000;         // frames followed when an object should never leave

std::string Str(const char* fmt, auto... args) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

std::string Unquote(const std::string& s) {
    return s.size() >= 2 ? s.substr(1, s.size() - 2) : std::string();
}

std::vector<long> Fields(const std::string& text) {
    std::vector<long> out;
    std::stringstream ss(text);
    std::string f;
    while (std::getline(ss, f, ',')) out.push_back(std::strtol(f.c_str(), nullptr, 10));
    return out;
}

bool IsPickup(int t) { return t >= 52 && t <= 63; }

struct Row {
    int Group, Delay, Y, Type, Path;
};

class Validator {
public:
    Validator(const StringTable& table, Integer difficulty) : table_(table), hard_(difficulty == 1) {}

    std::vector<std::string> Run() {
        InitPlaneTypes(*types_);
        InitBulletTypes(*types_);
        InitEffectTypes(*types_);
        CheckScriptTexts();
        if (!Load()) return problems_;
        ReadSheets();
        CheckPaths();
        CheckScripts();
        CheckPools();
        if (!pathsOk_) return problems_;
        CollectFlights();
        CheckAnimations();
        CheckStaying();
        CheckSlots();
        return problems_;
    }

private:
    const StringTable& table_;
    bool hard_;
    std::unique_ptr<TypeTables> types_ = std::make_unique<TypeTables>();
    std::unique_ptr<GameData> data_ = std::make_unique<GameData>();
    std::vector<std::string> problems_;
    std::set<std::string> seen_;
    bool pathsOk_ = true;
    std::array<bool, 201> loaded_{};    // paths present in the data
    std::array<int, 201> endStep_{};    // step of the end triple
    int frames_[101] = {};              // frames in the sheet, by type (100: the converted core)
    std::vector<Row> rows_[14];         // spawned rows per level, after the splice
    std::map<int, std::set<int>> flies_;  // type -> paths it can be on

    void Fail(const std::string& s) {
        if (seen_.insert(s).second) problems_.push_back(s);
    }

    std::string Text(int id) const {
        auto it = table_.find(id);
        if (it == table_.end()) throw PlatformError(326, "no string " + std::to_string(id));
        return it->second;
    }

    Integer P(int step, int row, int path) const { return data_->PathTable[step][row][path]; }
    const PlaneRecord& T(int t) const { return types_->PlaneTypes[t == kConvertedCore ? 38 : t]; }
    Integer A(int t, int a, int s) const { return T(t).Anim[a][s]; }

    bool Load() {
        std::vector<std::string> boxes;
        DataStopHooks hooks{[&](const std::string& t) { boxes.push_back(t); }, [] {}, [] {}};
        bool ok = false;
        try {
            ok = LoadGameData(*types_, *data_, hard_ ? 1 : 0, [this](int id) { return Text(id); }, hooks);
        } catch (const std::exception& e) {
            Fail(std::string("load: ") + e.what());
            return false;
        }
        for (auto& b : boxes) Fail("load: message box \"" + b + "\"");
        if (!ok && boxes.empty()) Fail("load: the loader stopped");
        return ok && boxes.empty();
    }

    void ReadSheets() {
        for (int t = 1; t <= 63; ++t) {
            const auto& rec = types_->PlaneTypes[t];
            char name[16];
            std::snprintf(name, sizeof name, "vorpex%02d", rec.Sheet);
            auto bmp = res::FindBitmap(name);
            int32_t w = 0, h = 0;
            std::memcpy(&w, bmp.data() + 18, 4);
            std::memcpy(&h, bmp.data() + 22, 4);
            h = h < 0 ? -h : h;
            frames_[t] = rec.Height > 0 ? int(h / rec.Height) : 0;
            if (rec.Width > w && t != 39)
                Fail(Str("sheet: type %d is %ld wide but %s is %d wide", t, long(rec.Width), name, w));
        }
        // After the takeover a type-38 record shows template 39's look on sheet 31.
        frames_[kConvertedCore] = frames_[39];
    }

    // --- paths ---------------------------------------------------------------------------

    void CheckPaths() {
        for (int n = 1; n <= 200; ++n) {
            int end = 0;
            for (int s = 1; s <= 100 && !end; ++s)
                if (P(s, 1, n) == 99) end = s;
            bool any = false;
            for (int s = 1; s <= 100; ++s) any = any || P(s, 1, n) || P(s, 0, n) || P(s, 2, n);
            loaded_[n] = end > 0 || any;
            endStep_[n] = end;
            if (!loaded_[n]) continue;
            if (end == 0) Fail(Str("path %d: no end step within 100 steps", n)), pathsOk_ = false;
            if (end == 1) Fail(Str("path %d: step 1 is the end step", n)), pathsOk_ = false;
            for (int s = 1; s < std::max(end, 1); ++s)
                if (P(s, 2, n) < 1 || P(s, 2, n) > 35)
                    Fail(Str("path %d: step %d names animation %d", n, s, P(s, 2, n)));
        }
        for (int n = 1; n <= 174; ++n)
            if (!loaded_[n]) Fail(Str("path %d: missing from the data", n)), pathsOk_ = false;
        for (int n = 1; n <= 200; ++n) {
            if (!loaded_[n] || !endStep_[n]) continue;
            int next = P(endStep_[n], 2, n);
            if (next < 0 && (-next > 200 || !loaded_[-next]))
                Fail(Str("path %d: chains to path %d, which is not loaded", n, -next)), pathsOk_ = false;
        }
    }

    // Steps a spawned object through its path as the object update does (no ice, no kill).
    struct Mover {
        int Path, Step = 1;
        long X, Y;
    };
    void Advance(Mover& m) const {
        ++m.Step;
        if (P(m.Step, 1, m.Path) == 99) {
            if (P(m.Step, 2, m.Path) < 0) m.Path = -P(m.Step, 2, m.Path);
            m.Step = 1;
        }
        m.X -= P(m.Step, 1, m.Path);
        m.Y += P(m.Step, 0, m.Path);
    }
    bool Inside(int t, const Mover& m) const {
        const auto& r = T(t);
        return m.X >= -10 - r.Width && m.X <= 732 && m.Y >= -300 - r.Height && m.Y <= 430;
    }
    // Frames until an unshot object leaves the area (kNever when it stays).
    int Lifetime(int t, int path, long x, long y) const {
        Mover m{path, 1, x, y};
        for (int f = 1; f <= kNever; ++f) {
            Advance(m);
            if (t == 47 && m.X > 732) m.X = 731;
            if (!Inside(t, m)) return f;
        }
        return kNever;
    }

    // --- level scripts -------------------------------------------------------------------

    std::string ScriptText(int level, bool spliced) const {
        std::string s = Unquote(Text(470 + level));
        if (!spliced) return s;
        std::string a = Unquote(Text(540 + level));
        auto p = s.find(a);
        if (p == std::string::npos) return s;
        return s.substr(0, p) + Unquote(Text(560 + level)) + s.substr(p);
    }

    bool Boss(int t) const { return t >= 1 && t <= 63 && types_->PlaneTypes[t].IsBoss == True; }

    // Index of the first group whose type is a boss, from the raw text (-1 when none).
    int FirstBossGroup(const std::vector<long>& f) const {
        for (size_t i = 1, g = 0; i + 3 < f.size(); i += 4, ++g) {
            int t = int(f[i + 2]);
            if (t >= 87 && t <= 98) t -= 35;
            if (f[i] == 99) break;
            if (Boss(t)) return int(g);
        }
        return -1;
    }

    void CheckAnchor(int L) {
        std::string s = ScriptText(L, false), a = Unquote(Text(540 + L)), b = Unquote(Text(560 + L));
        auto p = s.find(a);
        if (p == std::string::npos) return Fail(Str("level %d: the harder-boss anchor does not occur", L));
        long commas = std::count(s.begin(), s.begin() + long(p), ',');
        if (p == 0 || s[p - 1] != ',' || commas % 4 != 1)
            return Fail(Str("level %d: the harder-boss anchor is not at a group boundary", L));
        if (b.empty() || b.back() != ',') Fail(Str("level %d: the inserted groups do not end with a comma", L));
        auto bf = Fields(b);
        if (bf.empty() || bf.size() % 4 || bf.size() > 12)
            Fail(Str("level %d: the inserted groups are not one to three groups of four", L));
        std::string c = Unquote(Text(580 + L));
        if (c.empty() || c.find_first_not_of("0123456789") != std::string::npos)
            Fail(Str("level %d: the extra target count \"%s\" is not a bare number", L, c.c_str()));
        if (L > 10) return;
        int anchorGroup = int((commas - 1) / 4);
        int first = FirstBossGroup(Fields(s));
        if (first >= 0 && anchorGroup < first)
            Fail(Str("level %d: the harder-boss anchor (group %d) lies before the first boss (group %d)", L,
                     anchorGroup, first));
        if (anchorGroup == first && !bf.empty() && !Boss(int(bf[2] >= 87 && bf[2] <= 98 ? bf[2] - 35 : bf[2])))
            Fail(Str("level %d: the anchor is the first boss but the inserted group is not a boss", L));
    }

    // What can be seen in the texts alone (also when the loader would refuse them).
    void CheckScriptTexts() {
        for (int L = 1; L <= 13; ++L) {
            CheckAnchor(L);
            auto f = Fields(ScriptText(L, hard_));
            size_t groups = (f.size() - 1) / 4;
            if (groups > 451) Fail(Str("level %d: %zu groups, more than the 451 of the script table", L, groups));
            if (L <= 10) {
                int first = FirstBossGroup(f);
                if (first < 3) Fail(Str("level %d: the first boss is group %d, before group 3", L, first));
            }
        }
    }

    void CheckScripts() {
        for (int L = 1; L <= 13; ++L) {
            const auto& S = data_->LevelScript;
            int k = 1;
            for (; k <= 450 && S[script_part::Type][L][k] != 99; ++k) {
                if (S[script_part::Delay][L][k] == 99) break;
                Row r{k, S[script_part::Delay][L][k], S[script_part::Y][L][k], S[script_part::Type][L][k],
                      S[script_part::Path][L][k]};
                rows_[L].push_back(r);
                if (r.Type < 1 || r.Type > 63 || r.Type == 39)
                    Fail(Str("level %d group %d: spawns type %d", L, k, r.Type));
                if (r.Delay < 1) Fail(Str("level %d group %d: delay %d never comes", L, k, r.Delay));
                if (r.Path < 1 || r.Path > 200 || !loaded_[r.Path])
                    Fail(Str("level %d group %d: path %d is not loaded", L, k, r.Path)), pathsOk_ = false;
            }
            if (k > 450 || S[script_part::Delay][L][k] != 99 || S[script_part::Type][L][k] != 99)
                Fail(Str("level %d: the script ends early at group %d (a delay of 99 or no end group)", L, k));
            CheckTargets(L);
        }
    }

    void CheckTargets(int L) {
        int counted = 0;
        std::set<int> present;
        bool cue1 = false;
        for (auto& r : rows_[L]) {
            present.insert(r.Type);
            if (Boss(r.Type) && !((L == 6 || L == 13) && (r.Type == 24 || r.Type == 25))) ++counted;
            if ((r.Type == 37 || r.Type == 38) && !(L == 4 || L >= 8))
                Fail(Str("level %d: type %d appears where no voice clip b is loaded", L, r.Type));
            if ((L == 8 || L == 10 || L == 13) && (r.Y == -138 || r.Y == -100) &&
                !(r.Path == 170 && ((r.Y == -138 && r.Type == 50) || (r.Y == -100 && r.Type == 51))))
                Fail(Str("level %d group %d: type %d waits at y %d, the height of a parked boss stage", L,
                         r.Group, r.Type, r.Y));
            if (L == 4 && Boss(r.Type)) {
                if (r.Y == 310) cue1 = true;
                if (r.Y >= 311 && !cue1) Fail("level 4: a boss at y 311 or more comes before the one at y 310");
            }
        }
        int targets = data_->MissionTargets[L];
        if (L == 11 || L == 12) {
            if (counted != targets)
                Fail(Str("level %d: %d bosses for %d mission targets (a stage must spawn exactly its count)", L,
                         counted, targets));
        } else if (counted < targets) {
            Fail(Str("level %d: %d bosses can never meet %d mission targets", L, counted, targets));
        }
        if ((present.count(46) || present.count(43)) && !present.count(47))
            Fail(Str("level %d: a shielded boss without the shield generator (type 47)", L));
    }

    // --- random game ---------------------------------------------------------------------

    void CheckPools() {
        for (int L = 1; L <= 10; ++L) {
            int n = data_->LevelTypePoolCount[L];
            if (n < 1 || n > 30) Fail(Str("random level %d: %d plane types", L, n));
            for (int k = 1; k <= n && k <= 30; ++k) {
                int t = data_->LevelTypePool[L][k];
                if (t < 1 || t > 63 || data_->TypePathPoolCount[t] < 1)
                    Fail(Str("random level %d: type %d has no path list", L, t));
            }
            int m = data_->LevelPickupPoolCount[L];
            if (m < 2 || m > 30) Fail(Str("random level %d: %d pickups (an extra life and at least one more)", L, m));
            for (int k = 1; k <= m && k <= 30; ++k) {
                int p = data_->LevelPickupPool[L][k];
                if (!IsPickup(p)) Fail(Str("random level %d: pickup %d is not a pickup type", L, p));
                if ((p == 62) != (k == m)) Fail(Str("random level %d: the extra life (62) must be the last pickup, once", L));
            }
        }
        for (int t = 1; t <= 100; ++t) {
            int n = data_->TypePathPoolCount[t];
            if (n == 0) continue;
            if (n < 0 || n > 12) Fail(Str("random paths of type %d: %d entries", t, n));
            for (int k = 1; k <= n && k <= 12; ++k) {
                int p = data_->TypePathPool[t][k];
                if (p < 1 || p > 200 || !loaded_[p]) Fail(Str("random paths of type %d: path %d is not loaded", t, p)), pathsOk_ = false;
            }
        }
    }

    // --- who flies what ------------------------------------------------------------------

    void Fly(int t, int path) { flies_[t].insert(path); }

    void CollectFlights() {
        bool mothership = false;
        std::set<int> bossPaths49;
        for (int L = 1; L <= 13; ++L)
            for (auto& r : rows_[L]) {
                Fly(r.Type, r.Path);
                mothership = mothership || r.Type == 43;
                if (r.Type == 49) bossPaths49.insert(r.Path);
                if (r.Type == 38) Fly(kConvertedCore, 125);
            }
        for (int L = 1; L <= 10; ++L)
            for (int k = 1; k <= data_->LevelTypePoolCount[L]; ++k) {
                int t = data_->LevelTypePool[L][k];
                bool carrier = !(t == 12 || t == 13 || t == 21 || t == 32 || t == 34 || t == 41);
                for (int j = 1; j <= data_->TypePathPoolCount[t]; ++j) {
                    int p = data_->TypePathPool[t][j];
                    Fly(t, p);
                    if (carrier)
                        for (int i = 1; i <= data_->LevelPickupPoolCount[L]; ++i) Fly(data_->LevelPickupPool[L][i], p);
                }
            }
        // Paths the code gives: released partners, the pilot, type 12's turn after a shot,
        // the level-start object and its pickup, the takeover, jumpers, later boss stages.
        for (int t = 52; t <= 63; ++t) Fly(t, 8), Fly(t, 15), Fly(t, 38), Fly(t, 78);
        Fly(41, 8), Fly(41, 15), Fly(41, 38), Fly(12, 38), Fly(20, 78), Fly(20, 80);
        Fly(37, 127), Fly(37, 128);
        if (mothership) Fly(44, 137), Fly(41, 137);
        for (int p : bossPaths49) Fly(50, p), Fly(51, p);
        // Follow the chains.
        for (auto& [t, paths] : flies_) {
            std::vector<int> todo(paths.begin(), paths.end());
            while (!todo.empty()) {
                int p = todo.back();
                todo.pop_back();
                if (p < 1 || p > 200 || !endStep_[p]) continue;
                int next = P(endStep_[p], 2, p);
                if (next < 0 && paths.insert(-next).second) todo.push_back(-next);
            }
        }
    }

    int Length(int t, int a) const {  // frames before the end mark, 0 when none within 40 steps
        for (int s = 1; s <= 40; ++s)
            if (A(t, a, s) == 99) return s - 1;
        return 0;
    }

    void CheckAnimation(int t, int a, const char* why) {
        int n = Length(t, a);
        if (n == 0)
            return Fail(Str("animation: type %d flies animation %d (%s) with no end mark within 40 steps", t, a, why));
        for (int s = 1; s <= n; ++s) {
            int f = A(t, a, s);
            if (f < 1 || f > frames_[t])
                return Fail(Str("animation: type %d shows frame %d in animation %d (%s), outside its %d-frame sheet",
                                t, f, a, why, frames_[t]));
        }
    }

    void CheckAnimations() {
        // Every animation a type can fly ends in time and stays within its own sheet.
        for (auto& [t, paths] : flies_) {
            if (t < 1 || (t > 63 && t != kConvertedCore)) continue;
            std::set<int> special;
            for (int p : paths)
                for (int s = 1; s < endStep_[p]; ++s) {
                    int a = P(s, 2, p);
                    if (a < 0 || a > 35) continue;
                    CheckAnimation(t, a, Str("path %d", p).c_str());
                    if (a >= 7 && a <= 21) special.insert(a);
                }
            if (t == 41 && !special.empty())
                Fail(Str("animation: type 41 flies manoeuvre animation %d", *special.begin()));
            if (!IsPickup(t) && t != 20) CheckDeathPath(t, special);  // neither of them falls
        }
        // A revived guard and a converted core start on animation P(1, 2, 1).
        CheckAnimation(37, P(1, 2, 1), "revived");
        CheckAnimation(kConvertedCore, P(1, 2, 1), "converted");
        // Falling frames of everything that can be shot down.
        for (auto& [t, paths] : flies_) {
            if (t < 1 || t == 20 || t == 41 || t == 39 || (t >= 52 && t <= 63) || t > 100) continue;
            int a1 = A(t, 2, 1), a4 = A(t, 2, 4);
            if (Length(t, 2) < 4 || a1 < 1 || a1 + 3 > frames_[t] || a4 < 1 || a4 > frames_[t])
                Fail(Str("animation: type %d falls through frames %d..%d then %d, outside its %d-frame sheet "
                         "(animation 2 needs four frames)",
                         t, a1, a1 + 3, a4, frames_[t]));
        }
        // Every sheet's frames: each animation in the data fits the sheet of the type it is
        // written for (copies are checked above, where they are flown).
        for (int t : {1, 5, 8, 12, 13, 15, 16, 19, 20, 22, 24, 26, 27, 28, 29, 30, 31, 32, 33, 35, 41, 42, 43,
                      44, 46, 47, 52})
            for (int a = 0; a <= 35; ++a) {
                if (!A(t, a, 1)) continue;
                int n = Length(t, a);
                if (n == 0) Fail(Str("sheet: type %d animation %d has no end mark within 40 steps", t, a));
                for (int s = 1; s <= n; ++s)
                    if (A(t, a, s) < 1 || A(t, a, s) > frames_[t]) {
                        Fail(Str("sheet: type %d animation %d step %d shows frame %d of %d", t, a, s, A(t, a, s),
                                 frames_[t]));
                        break;
                    }
            }
    }

    // Shot down during a manoeuvre: the record jumps to step a - 5 of its death path and shows
    // Anim(death path's animation, frozen step) while it falls.
    void CheckDeathPath(int t, const std::set<int>& special) {
        int d = (t == 15 || t == 45) ? 55 : 2;
        for (int a : special) {
            if (a - 5 >= endStep_[d])
                Fail(Str("death path %d: no step %d for type %d shot down in animation %d", d, a - 5, t, a));
            int len = Length(t, a);
            for (int s = 1; s < endStep_[d]; ++s) {
                int da = P(s, 2, d);
                for (int k = 1; k <= len; ++k) {
                    int f = A(t, da, k);
                    if (f < 1 || f > frames_[t] || f == 99) {
                        Fail(Str("death path %d: type %d killed at step %d of animation %d would show frame %d of "
                                 "animation %d",
                                 d, t, k, a, f, da));
                        break;
                    }
                }
            }
        }
    }

    // --- objects that must stay until they are shot ----------------------------------------

    void CheckStaying() {
        if (Lifetime(20, 78, 624, 50) < kNever) Fail("path 78: the level-start object leaves the area unshot");
        {
            Mover m{78, 1, 624, 50};
            for (int f = 1; f <= kNever; ++f) {
                Advance(m);
                if (f > 300 && m.X >= kPlayW) {
                    Fail("path 78: the level-start object is out of the player's reach");
                    break;
                }
            }
        }
        for (int L = 1; L <= 13; ++L)
            for (auto& r : rows_[L]) {
                bool mustStay = r.Type == 49 || r.Type == 47 || r.Type == 46 ||
                                ((L == 6 || L == 13) && (r.Type == 24 || r.Type == 25));
                if (r.Path == 170) {
                    for (int s = 1; s < endStep_[170]; ++s)
                        if (P(s, 0, 170) || P(s, 1, 170)) Fail("path 170: a parked boss stage moves");
                    continue;
                }
                if (mustStay && Lifetime(r.Type, r.Path, 624, r.Y) < kNever)
                    Fail(Str("level %d group %d: type %d leaves the area before it is shot", L, r.Group, r.Type));
                if (r.Type == 49) {
                    Mover m{r.Path, 1, 624, r.Y};
                    bool reach = false;
                    for (int f = 1; f <= 600; ++f) Advance(m), reach = reach || m.X < kPlayW;
                    if (!reach) Fail(Str("level %d: the three-stage boss never comes within reach", L));
                }
            }
    }

    // --- slots ------------------------------------------------------------------------------

    // With nothing shot but the level-start object, how many objects are alive at once. Bosses
    // count until the script ends; the mothership's jumpers count as five more.
    void CheckSlots() {
        for (int L = 1; L <= 13; ++L) {
            struct Life {
                long From, To;
            };
            std::vector<Life> lives;
            long frame = L <= 11 ? 30 : data_->LevelScript[script_part::Delay][L][0];
            long jumpersFrom = -1;
            auto& R = rows_[L];
            for (size_t i = 0; i < R.size(); ++i) {
                auto spawn = [&](const Row& r) {
                    bool boss = Boss(r.Type);
                    long x = (r.Path == 139 || r.Path == 152) ? 300 : 624;
                    long life = boss ? 1000000 : Lifetime(r.Type, r.Path, x, r.Y);
                    lives.push_back({frame, frame + life});
                    if (r.Type == 43 && jumpersFrom < 0) jumpersFrom = frame;
                };
                spawn(R[i]);
                if (i + 1 < R.size() && IsPickup(R[i + 1].Type) && R[i + 1].Path != 139 && R[i + 1].Path != 151)
                    spawn(R[++i]);
                frame += R[i].Delay;
            }
            int peak = 0;
            for (long f = 0; f <= frame; f += 5) {
                int n = jumpersFrom >= 0 && f >= jumpersFrom ? 5 : 0;
                for (auto& l : lives) n += l.From <= f && f < l.To;
                peak = std::max(peak, n);
            }
            if (peak > 17)
                Fail(Str("level %d: up to %d objects alive at once when nothing is shot (keep within 17 of the 20 slots)",
                         L, peak));
        }
    }
};

}  // namespace

std::vector<std::string> ValidateGameData(const StringTable& table, Integer bossDifficulty) {
    return Validator(table, bossDifficulty).Run();
}

}  // namespace gorb::test
