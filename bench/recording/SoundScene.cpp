// What the player hears, recorded: the whole program runs in-process on SDL's dummy video and
// `disk` audio drivers with the real clock, through the intro, the title, the menu's Begin
// button and a minute of play that jumps to the level's boss, while a scripted player flies,
// taps and holds the fire key. The disk driver writes the mixer's output to a file; the linker
// wraps the device's opening (to time every audio callback), the queued playback and the
// buffers' Play (to log every sound started), so the program's own code runs unchanged.
//
// Afterwards the recording is analysed: clipped samples, loudness by role (from the recording
// and from the waves), key-to-sound delay, autofire and drum-loop gaps, energy above 11 kHz,
// and the resident memory the sound set-up took.
//
// Usage: sound-scene <output folder> [--force-44k]
//   --force-44k  the device gives 44.1 kHz stereo whatever is asked for (as some cards do).
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "frontend/GameForm.h"
#include "gen_content/SoundMeasure.h"
#include "media/SoundSetup.h"
#include "platform/Display.h"
#include "platform/Keyboard.h"
#include "platform/MessagePump.h"
#include "platform/Resources.h"
#include "platform/ScriptedInput.h"
#include "world/Game.h"

using namespace gorb;

namespace {

double Seconds(uint64_t counter) { return double(counter) / double(SDL_GetPerformanceFrequency()); }
double Now() { return Seconds(SDL_GetPerformanceCounter()); }

// ------------------------------------------------------------------ what the wraps record

struct Callback {
    double time;    // seconds, when the callback began
    uint32_t frames;
};

struct Recorder {
    SDL_AudioCallback callback = nullptr;
    void* userdata = nullptr;
    int rate = 0, channels = 0;
    bool force44k = false;
    std::vector<Callback> callbacks;  // reserved up front: the callback never allocates
    std::atomic<size_t> count{0};
} rec;

struct Started {
    double time;
    int number;
    std::string wave;
};
std::mutex eventsMutex;
std::vector<Started> events;

GameForm* form = nullptr;
std::vector<int> queued;  // the numbers the running PlayQueuedSounds call will play, in order
size_t queuedNext = 0;
bool inQueue = false;

std::string WaveOf(int n) {
    if (!form) return "";
    const int level = form->G ? form->G->Run.Level : 0;
    if (n == 55) return level == 3 ? "enemy02" : "enemy01";
    if (n == 60 && level == 99) return "end03c";
    if (n >= 60 && n <= 62) {
        char b[16];
        std::snprintf(b, sizeof b, "zugbos%02d%c", std::min(level, 10), char('a' + n - 60));
        return b;
    }
    const char* w = SetupWaveName(n);
    return w ? w : "";
}

void RecordingCallback(void* userdata, Uint8* stream, int len) {
    auto* r = static_cast<Recorder*>(userdata);
    const double t = Now();
    r->callback(r->userdata, stream, len);
    const size_t i = r->count.load();
    if (i < r->callbacks.size()) {
        r->callbacks[i] = {t, uint32_t(len / (2 * r->channels))};
        r->count.store(i + 1);
    }
}

}  // namespace

extern "C" {
SDL_AudioDeviceID __real_SDL_OpenAudioDevice(const char*, int, const SDL_AudioSpec*, SDL_AudioSpec*, int);
SDL_AudioDeviceID __wrap_SDL_OpenAudioDevice(const char* device, int capture, const SDL_AudioSpec* want,
                                            SDL_AudioSpec* got, int allowed) {
    SDL_AudioSpec w = *want;
    rec.callback = want->callback;
    rec.userdata = want->userdata;
    w.callback = RecordingCallback;
    w.userdata = &rec;
    if (rec.force44k) {
        w.freq = 44100;
        w.channels = 2;
        allowed = 0;
    }
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID id = __real_SDL_OpenAudioDevice(device, capture, &w, &obtained, allowed);
    if (id) {
        rec.rate = obtained.freq;
        rec.channels = obtained.channels;
        std::printf("device: %d Hz, %d channel(s), %d frames a callback (asked %d Hz, %d channel(s), %d)\n",
                    obtained.freq, obtained.channels, obtained.samples, want->freq, want->channels, want->samples);
        obtained.callback = want->callback;
        obtained.userdata = want->userdata;
        if (got) *got = obtained;
    }
    return id;
}

void __real__ZN4gorb11SoundBuffer4PlayEi(SoundBuffer* self, int32_t flags);
void __wrap__ZN4gorb11SoundBuffer4PlayEi(SoundBuffer* self, int32_t flags) {
    const bool was = self->GetStatus() != 0;
    const double t = Now();
    __real__ZN4gorb11SoundBuffer4PlayEi(self, flags);
    int n = 0;
    if (inQueue) {
        if (queuedNext < queued.size()) n = queued[queuedNext++];
    } else if (form) {
        const auto& b = form->Media.Sound.SoundBuffers;
        if (self >= &b[0] && self <= &b[b.size() - 1]) n = int(self - &b[0]);
    }
    if (!was && self->GetStatus() != 0 && n > 0) {
        std::lock_guard<std::mutex> lock(eventsMutex);
        events.push_back({t, n, WaveOf(n)});
    }
}

void __real__ZN4gorb16PlayQueuedSoundsERNS_12SoundObjectsERNS_13SoundRequestsEii(SoundObjects&, SoundRequests&, int,
                                                                                int);
void __wrap__ZN4gorb16PlayQueuedSoundsERNS_12SoundObjectsERNS_13SoundRequestsEii(SoundObjects& s, SoundRequests& f,
                                                                                int first, int last) {
    queued.clear();
    queuedNext = 0;
    for (int n = std::max(first, 1); n <= std::min(last, int(kSoundCount)); ++n)
        if (f[n] == True) queued.push_back(n);
    inQueue = true;
    __real__ZN4gorb16PlayQueuedSoundsERNS_12SoundObjectsERNS_13SoundRequestsEii(s, f, first, last);
    inQueue = false;
}
}  // extern "C"

namespace {

// ------------------------------------------------------------------ the scripted player

long ResidentKb() {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

struct Marks {
    double titleShown = 0, spaceTyped = 0, gameStart = 0, bossJump = 0, holdFire = 0, gameEnd = 0;
    long rssBeforeSound = 0, rssAfterSound = 0, bufferFrames = 0, sourceFrames = 0;
    double soundSetupSeconds = 0;
};
Marks marks;

struct Tap {
    double down;        // the key went into SDL's queue
    double read = 0;    // the message pump that handed it to the game
};
std::mutex tapsMutex;
std::vector<Tap> taps;
std::atomic<bool> tapping{false};
std::atomic<bool> stopTapper{false};

// Presses and releases the fire key at random moments, as a player's finger does: each press
// lands anywhere within the game's frame.
void Tapper() {
    std::mt19937 rnd(77);
    std::uniform_real_distribution<double> gap(0.28, 0.45);
    while (!stopTapper) {
        if (!tapping) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        std::this_thread::sleep_for(std::chrono::duration<double>(gap(rnd)));
        if (!tapping) continue;
        {
            std::lock_guard<std::mutex> lock(tapsMutex);
            taps.push_back({Now()});
            InjectKey(SDL_SCANCODE_LCTRL, true);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(90));
        InjectKey(SDL_SCANCODE_LCTRL, false);
    }
}

class Pilot {
public:
    void Step() {
        const double t = Now();
        {
            std::lock_guard<std::mutex> lock(tapsMutex);
            for (Tap& k : taps)
                if (k.read == 0) k.read = t;
        }
        if (!form) return;
        if (marks.titleShown == 0) {
            std::lock_guard<std::mutex> lock(eventsMutex);
            for (const Started& e : events)
                if (e.number == 81) marks.titleShown = e.time;
        }
        if (marks.titleShown > 0 && marks.spaceTyped == 0 && t > marks.titleShown + 6) {
            marks.spaceTyped = t;
            ScriptText(" ");
        }
        Game* g = form->G.get();
        if (!g || marks.spaceTyped == 0) return;
        LevelState& run = g->Run;
        const bool playing = run.Level >= 1 && run.Level <= 13 && run.GameOver != True;
        if (!playing) {
            Release();
            return;
        }
        if (marks.gameStart == 0) {
            marks.gameStart = t;
            tapping = true;
        }
        const double s = t - marks.gameStart;
        PlaneRecord& p = g->Player();
        if (s < 50 && p.Dying == False) p.HitPoints = 100;  // lives to see the boss; then it may fall
        if (s > 16 && marks.bossJump == 0) {
            tapping = false;
            marks.bossJump = t;
            ScriptText("wombrexb");  // the debug keys: straight to the level's boss
        }
        if (s > 18 && marks.holdFire == 0) marks.holdFire = t;
        if (s > 60 && marks.gameEnd == 0) {
            marks.gameEnd = t;
            Release();
            ScriptKey(SDLK_ESCAPE);
            return;
        }
        if (marks.gameEnd > 0) {
            if (t > marks.gameEnd + 3) ScriptKey(SDLK_ESCAPE);
            return;
        }
        Steer(*g, p);
        if (marks.holdFire > 0) Set(SDL_SCANCODE_LCTRL, true, fire_);
    }

private:
    void Steer(Game& g, const PlaneRecord& p) {
        long want = 150;
        long best = 1 << 30;
        for (int i = 1; i <= 20; ++i) {
            const PlaneRecord& o = g.Obj.Planes[i];
            if (o.Active != True || o.Dying != 0 || o.X >= 600 || o.X + o.Width < p.X + p.Width) continue;
            const long d = o.X - p.X;
            if (d < best) {
                best = d;
                want = o.Y + o.Height / 2;
            }
        }
        const long mid = p.Y + p.Height / 2;
        Set(SDL_SCANCODE_UP, mid > want + 12, up_);
        Set(SDL_SCANCODE_DOWN, mid < want - 12, down_);
    }
    static void Set(SDL_Scancode sc, bool down, bool& state) {
        if (state == down) return;
        state = down;
        InjectKey(sc, down);
    }
    void Release() {
        Set(SDL_SCANCODE_UP, false, up_);
        Set(SDL_SCANCODE_DOWN, false, down_);
        Set(SDL_SCANCODE_LCTRL, false, fire_);
    }
    bool up_ = false, down_ = false, fire_ = false;
};

// ------------------------------------------------------------------ analysis

struct Recording {
    int rate = 0, channels = 0;
    std::vector<int16_t> raw;  // interleaved
    std::vector<float> mono;   // first channel
    std::vector<double> cbTime;
    std::vector<uint64_t> cbFrame;  // first frame of each callback

    // The frame being heard at time t.
    double FrameAt(double t) const {
        auto it = std::upper_bound(cbTime.begin(), cbTime.end(), t);
        if (it == cbTime.begin()) return 0;
        const size_t k = size_t(it - cbTime.begin()) - 1;
        const double next = k + 1 < cbFrame.size() ? double(cbFrame[k + 1]) : double(mono.size());
        return std::min(double(cbFrame[k]) + (t - cbTime[k]) * rate, next);
    }
    // When frame f is heard.
    double TimeOf(double f) const {
        auto it = std::upper_bound(cbFrame.begin(), cbFrame.end(), uint64_t(f));
        if (it == cbFrame.begin()) return cbTime.empty() ? 0 : cbTime[0];
        const size_t k = size_t(it - cbFrame.begin()) - 1;
        return cbTime[k] + (f - double(cbFrame[k])) / rate;
    }
};

std::vector<float> WaveSamples(const std::string& name, int rate) {
    std::vector<float> out;
    std::span<const uint8_t> d;
    try {
        d = res::FindWave(name);
    } catch (...) {
        return out;
    }
    // The generated waves: a 44-byte header, mono PCM at 22050 Hz.
    if (d.size() < 44) return out;
    const int bits = d[34];
    std::vector<float> src;
    for (size_t i = 44; i + bits / 8 <= d.size(); i += bits / 8)
        src.push_back(bits == 8 ? (float(d[i]) - 128) / 128.f : float(int16_t(d[i] | d[i + 1] << 8)) / 32768.f);
    if (rate == 22050) return src;
    const double step = 22050.0 / rate;
    for (double p = 0; p + 1 < double(src.size()); p += step) {
        const size_t i = size_t(p);
        const double f = p - double(i);
        out.push_back(float(src[i] * (1 - f) + src[i + 1] * f));
    }
    return out;
}

// Where the template best matches the recording within [lo, hi): normalised cross-correlation.
double FindOnset(const Recording& r, const std::vector<float>& tmpl, double lo, double hi, double* score) {
    const size_t m = std::min(tmpl.size(), size_t(0.03 * r.rate));
    double tt = 0;
    for (size_t i = 0; i < m; ++i) tt += double(tmpl[i]) * tmpl[i];
    double best = -1, bestAt = lo;
    for (long at = long(std::max(0.0, lo)); at < long(hi) && size_t(at) + m < r.mono.size(); ++at) {
        double rt = 0, rr = 0;
        for (size_t i = 0; i < m; ++i) {
            const double v = r.mono[size_t(at) + i];
            rt += v * tmpl[i];
            rr += v * v;
        }
        const double c = rr > 0 && tt > 0 ? rt / std::sqrt(rr * tt) : 0;
        if (c > best) {
            best = c;
            bestAt = double(at);
        }
    }
    if (score) *score = best;
    return bestAt;
}

struct Stats {
    double min = 0, median = 0, max = 0;
    size_t n = 0;
};
Stats Summarise(std::vector<double> v) {
    Stats s;
    s.n = v.size();
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    s.min = v.front();
    s.max = v.back();
    s.median = v[v.size() / 2];
    return s;
}

bool IsPlayerShot(int n) { return n == 1 || n == 2 || n == 3 || n == 10 || n == 11 || n == 15; }

void Analyse(const std::string& dir) {
    Recording r;
    r.rate = rec.rate;
    r.channels = rec.channels;
    {
        std::ifstream f(dir + "/sound.raw", std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        r.raw.resize(bytes.size() / 2);
        std::memcpy(r.raw.data(), bytes.data(), r.raw.size() * 2);
    }
    for (size_t i = 0; i + size_t(r.channels) <= r.raw.size(); i += size_t(r.channels))
        r.mono.push_back(float(r.raw[i]) / 32768.f);
    uint64_t frame = 0;
    for (size_t k = 0; k < rec.count; ++k) {
        r.cbTime.push_back(rec.callbacks[k].time);
        r.cbFrame.push_back(frame);
        frame += rec.callbacks[k].frames;
    }
    std::printf("recorded %.1f s (%zu frames at %d Hz, %d channel(s)), %zu callbacks, %zu sounds started\n",
                double(r.mono.size()) / r.rate, r.mono.size(), r.rate, r.channels, rec.count.load(), events.size());

    // Clipped samples, by stretch.
    auto clipped = [&](double t0, double t1) {
        const size_t a = size_t(r.FrameAt(t0)) * size_t(r.channels);
        const size_t b = std::min(r.raw.size(), size_t(r.FrameAt(t1)) * size_t(r.channels));
        size_t n = 0;
        for (size_t i = a; i < b; ++i) n += r.raw[i] >= 32767 || r.raw[i] <= -32767;
        return n;
    };
    const double tEnd = r.cbTime.empty() ? 0 : r.cbTime.back() + 1;
    const double playEnd = marks.gameEnd > 0 ? marks.gameEnd : tEnd;
    std::printf("\nclipped samples: intro %zu, title %zu, play %zu (boss part %zu), whole recording %zu\n",
                clipped(0, marks.titleShown), clipped(marks.titleShown, marks.spaceTyped),
                clipped(marks.gameStart, playEnd), clipped(marks.bossJump, playEnd), clipped(0, tEnd));

    // Onsets of the started sounds, found in the recording.
    struct Found {
        Started* e;
        double onset;  // frame
        double score;
    };
    std::map<std::string, std::vector<float>> templates;
    auto tmpl = [&](const std::string& w) -> const std::vector<float>& {
        auto it = templates.find(w);
        if (it == templates.end()) it = templates.emplace(w, WaveSamples(w, r.rate)).first;
        return it->second;
    };
    auto find = [&](Started& e) {
        const double f = r.FrameAt(e.time);
        double score = 0;
        double at = FindOnset(r, tmpl(e.wave), f - 0.002 * r.rate, f + 0.09 * r.rate, &score);
        if (e.number == 81) {  // one start in five has the other intro music
            double other = 0;
            const double at2 = FindOnset(r, tmpl("qvintro4a"), f - 0.002 * r.rate, f + 0.09 * r.rate, &other);
            if (other > score) {
                e.wave = "qvintro4a";
                at = at2;
                score = other;
            }
        }
        return Found{&e, at, score};
    };

    // Key to sound: the first shot after each tapped press.
    std::vector<double> fromKey, fromFrame;
    for (const Tap& k : taps) {
        for (Started& e : events) {
            if (!IsPlayerShot(e.number) || e.time < k.down) continue;
            if (e.time > k.down + 0.1) break;
            Found fd = find(e);
            if (fd.score < 0.5) break;
            const double heard = r.TimeOf(fd.onset);
            fromKey.push_back((heard - k.down) * 1000);
            if (k.read > 0) fromFrame.push_back((heard - k.read) * 1000);
            break;
        }
    }
    Stats sk = Summarise(fromKey), sf = Summarise(fromFrame);
    std::printf("\nkey to sound (%zu taps): from the key press min %.1f median %.1f max %.1f ms;"
                " from the frame that reads it min %.1f median %.1f max %.1f ms\n",
                sk.n, sk.min, sk.median, sk.max, sf.min, sf.median, sf.max);

    // Autofire: gaps between the onsets of successive shots while the key is held.
    std::vector<double> shotOnsets;
    for (Started& e : events)
        if (IsPlayerShot(e.number) && e.time > marks.holdFire && e.time < playEnd) {
            Found fd = find(e);
            if (fd.score >= 0.5) shotOnsets.push_back(r.TimeOf(fd.onset));
        }
    // The same gaps between the moments the game played them: the frame loop's own rhythm.
    std::vector<double> playGaps;
    double lastPlay = 0;
    for (const Started& e : events)
        if (IsPlayerShot(e.number) && e.time > marks.holdFire && e.time < playEnd) {
            if (lastPlay > 0 && (e.time - lastPlay) < 0.4) playGaps.push_back((e.time - lastPlay) * 1000);
            lastPlay = e.time;
        }
    Stats sp = Summarise(playGaps);
    std::vector<double> shotGaps;
    for (size_t i = 1; i < shotOnsets.size(); ++i) {
        const double g = (shotOnsets[i] - shotOnsets[i - 1]) * 1000;
        if (g < 400) shotGaps.push_back(g);
    }
    Stats sg = Summarise(shotGaps);
    std::map<long, int> hist;
    for (double g : shotGaps) hist[std::lround(g)]++;
    std::printf("autofire gaps (%zu): min %.1f median %.1f max %.1f ms; most common:", sg.n, sg.min, sg.median,
                sg.max);
    std::vector<std::pair<int, long>> common;
    for (auto [g, c] : hist) common.push_back({c, g});
    std::sort(common.rbegin(), common.rend());
    for (size_t i = 0; i < std::min<size_t>(6, common.size()); ++i)
        std::printf(" %ld ms x%d", common[i].second, common[i].first);
    std::printf("\n");
    std::vector<double> jitter;  // how far each heard gap strays from the gap between the plays
    {
        std::vector<double> heardGaps;
        for (Started& e : events)
            if (IsPlayerShot(e.number) && e.time > marks.holdFire && e.time < playEnd) {
                Found fd = find(e);
                if (fd.score >= 0.5) heardGaps.push_back(r.TimeOf(fd.onset) - e.time);
            }
        for (size_t i = 1; i < heardGaps.size(); ++i) jitter.push_back(std::abs(heardGaps[i] - heardGaps[i - 1]) * 1000);
    }
    Stats sj = Summarise(jitter);
    std::printf("  the game played them %zu times, gaps min %.1f median %.1f max %.1f ms; the delay from play to"
                " sound changed from one shot to the next by median %.1f, max %.1f ms\n",
                sp.n + 1, sp.min, sp.median, sp.max, sj.median, sj.max);

    // Drum loop.
    std::vector<double> drumOnsets;
    for (Started& e : events)
        if (e.number >= 89 && e.number <= 91 && e.time < marks.titleShown) {
            Found fd = find(e);
            drumOnsets.push_back(r.TimeOf(fd.onset));
        }
    std::vector<double> drumGaps;
    for (size_t i = 1; i < drumOnsets.size(); ++i) drumGaps.push_back((drumOnsets[i] - drumOnsets[i - 1]) * 1000);
    Stats sd = Summarise(drumGaps);
    std::printf("drum gaps (%zu): min %.1f median %.1f max %.1f ms\n", sd.n, sd.min, sd.median, sd.max);

    // Energy above 11 kHz during play.
    if (r.rate > 22050) {
        const size_t a = size_t(r.FrameAt(marks.gameStart)), b = size_t(r.FrameAt(playEnd));
        std::vector<float> seg(r.mono.begin() + long(a), r.mono.begin() + long(std::max(a, b)));
        const std::vector<double> p = gen::PowerSpectrum(seg, 4096);
        double hi = 0, all = 0;
        for (size_t k = 0; k < p.size(); ++k) {
            all += p[k];
            if (double(k) * r.rate / 4096.0 > 11025) hi += p[k];
        }
        std::printf("energy above 11 kHz during play: %.1f dB of the whole\n",
                    hi > 0 && all > 0 ? 10 * std::log10(hi / all) : -200.0);
    } else {
        std::printf("energy above 11 kHz: none can exist (the device runs at %d Hz)\n", r.rate);
    }

    // Loudness by role: from the waves, and from the recording where a sound played alone.
    const std::vector<float> aw = gen::AWeighted(r.mono, r.rate);
    struct RoleRow {
        std::vector<double> waveRms, waveA, recRms, recA;
    };
    std::map<gen::Role, RoleRow> rows;
    std::map<std::string, bool> seenWave;
    for (const std::string& w : res::WaveNames()) {
        std::vector<float> s = WaveSamples(w, 22050);
        const gen::Role role = gen::RoleOfWave(w);
        rows[role].waveRms.push_back(gen::MomentaryDb(s, 22050));
        rows[role].waveA.push_back(gen::LoudnessDb(s, 22050));
    }
    std::map<std::string, double> loudness;
    auto waveLoudness = [&](const std::string& w) {
        auto it = loudness.find(w);
        if (it == loudness.end()) it = loudness.emplace(w, gen::LoudnessDb(WaveSamples(w, 22050), 22050)).first;
        return it->second;
    };
    // A sound counts as heard alone when nothing else sounds during its first second (or all
    // of it, when shorter), allowing 30 ms of overlap at either end and waves at least 8 dB
    // softer than its own, which move the measure by well under a decibel.
    std::map<gen::Role, int> started;
    for (size_t i = 0; i < events.size(); ++i) {
        Started& e = events[i];
        if (e.number == 81) find(e);
        const double len = std::min(1.0, double(tmpl(e.wave).size()) / r.rate);
        started[gen::RoleOfWave(e.wave)]++;
        if (len <= 0) continue;
        bool alone = true;
        const double level = waveLoudness(e.wave);
        for (size_t j = 0; j < events.size() && alone; ++j) {
            if (j == i) continue;
            if (waveLoudness(events[j].wave) <= level - 8) continue;  // too soft to count
            const double lenJ = double(tmpl(events[j].wave).size()) / r.rate;
            alone = events[j].time >= e.time + len - 0.03 || events[j].time + lenJ - 0.03 <= e.time;
        }
        if (!alone) continue;
        Found fd = find(e);
        if (fd.score < 0.3) continue;
        const size_t a = size_t(fd.onset), b = a + size_t(len * r.rate);
        const gen::Role role = gen::RoleOfWave(e.wave);
        rows[role].recRms.push_back(gen::MomentaryDb(r.mono, a, b, r.rate));
        rows[role].recA.push_back(gen::MomentaryDb(aw, a, b, r.rate));
    }
    std::printf("\nloudness by role (dBFS over the loudest %.0f ms; medians; recording: sounds heard alone)\n",
                gen::kLoudnessWindow * 1000);
    std::printf("%-13s %6s | %5s %7s %7s | %7s %5s %7s %7s\n", "role", "target", "waves", "RMS", "A-wt",
                "started", "alone", "RMS", "A-wt");
    auto med = [](std::vector<double> v) { return v.empty() ? NAN : Summarise(v).median; };
    for (const auto& l : gen::RoleLevels()) {
        const RoleRow& row = rows[l.role];
        std::printf("%-13s %6.1f | %5zu %7.1f %7.1f | %7d %5zu %7.1f %7.1f\n", l.name, l.targetDb,
                    row.waveA.size(), med(row.waveRms), med(row.waveA), started[l.role], row.recA.size(),
                    med(row.recRms), med(row.recA));
    }

    std::printf("\nsound set-up took %.0f ms; resident memory: %ld kB before it, %ld kB after it (+%ld kB); the"
                " loaded buffers hold %ld frames at the device's rate for %ld frames of waves (%.2f times)\n",
                marks.soundSetupSeconds * 1000, marks.rssBeforeSound, marks.rssAfterSound, marks.rssAfterSound - marks.rssBeforeSound,
                marks.bufferFrames, marks.sourceFrames,
                marks.sourceFrames > 0 ? double(marks.bufferFrames) / double(marks.sourceFrames) : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: sound-scene <output folder> [--force-44k]\n");
        return 2;
    }
    const std::string dir = argv[1];
    rec.force44k = argc > 2 && std::string(argv[2]) == "--force-44k";
    std::filesystem::create_directories(dir);
    rec.callbacks.resize(200000);
    {
        std::ofstream ini(dir + "/ZORBELS.INI", std::ios::binary | std::ios::trunc);
        for (const char* e : {"CONTR=1", "PTALK=0", "LEVEL=0", "SOUND=1"}) ini << '"' << e << "\"\r\n";
    }
    const std::string raw = dir + "/sound.raw";
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_setenv("SDL_RENDER_DRIVER", "software", 1);
    SDL_setenv("SDL_AUDIODRIVER", "disk", 1);
    SDL_setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);

    ProgramSeams seams;
    seams.RandomSeed = 4242u;
    seams.SettingsFolder = dir;
    seams.OnLoadStep = [](GameForm& f, std::string_view step) {
        form = &f;
        if (step == "setting up DirectSound") {
            marks.rssBeforeSound = ResidentKb();
            marks.soundSetupSeconds = Now();
        }
        if (step == "calling Introscreens") {
            marks.rssAfterSound = ResidentKb();
            marks.soundSetupSeconds = Now() - marks.soundSetupSeconds;
            for (int n = 1; n <= kSoundCount; ++n) {
                marks.bufferFrames += long(f.Media.Sound.SoundBuffers[size_t(n)].Frames());
                const char* w = SetupWaveName(n);
                if (w && !f.Media.Sound.SoundBuffers[size_t(n)].IsEmpty())
                    marks.sourceFrames += (long(res::FindWave(w).size()) - 44) / (res::FindWave(w)[34] / 8);
            }
        }
    };
    bool begun = false, left = false;
    seams.OnIdle = [&](GameForm& f) {
        form = &f;
        if (!begun) {
            begun = true;
            SDL_Rect b = f.cmdBegin->ScreenRect();
            ScriptClick(b.x + b.w / 2, b.y + b.h / 2);
        } else if (marks.gameEnd > 0 && !left) {
            left = true;
            SDL_Rect b = f.cmdExit->ScreenRect();
            ScriptClick(b.x + b.w / 2, b.y + b.h / 2);
        }
    };
    Pilot pilot;
    AddPumpHook([&] { pilot.Step(); });
    std::thread tapper(Tapper);
    const int status = RunProgram(std::move(seams));
    stopTapper = true;
    tapper.join();
    ShutdownDisplay();
    std::printf("program ended with status %d\n", status);
    Analyse(dir);
    return status;
}
