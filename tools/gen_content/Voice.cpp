// The formant voice: a glottal pulse train with jitter, shimmer and breath, shaped by a cascade
// of vocal-tract resonances that glide from sound to sound, with noise for the consonants.
#include <algorithm>
#include <cmath>

#include "Synth.h"

namespace gen {
namespace {

enum class Kind { Vowel, Fricative, Aspirate, Plosive, Nasal, Liquid, Glide, Pause };

struct Phone {
    Kind kind;
    double seconds;
    double f[4];            // formant targets (Hz, adult man)
    double voice;           // voicing strength
    double noise;           // noise strength
    double noiseHz, noiseQ; // the consonant's noise band
    bool stressed = false;
    bool takesNextVowel = false;  // a consonant leans on the vowel that follows
};

struct VowelShape {
    const char* name;
    double f[4];
};
constexpr VowelShape kVowels[] = {
    {"ae", {680, 1700, 2450, 3450}}, {"uh", {620, 1200, 2400, 3400}}, {"er", {480, 1350, 1650, 3300}},
    {"aw", {600, 950, 2450, 3300}},  {"a", {750, 1150, 2450, 3400}},  {"e", {500, 1850, 2500, 3500}},
    {"i", {290, 2250, 3000, 3700}},  {"o", {500, 850, 2400, 3300}},   {"u", {320, 900, 2250, 3300}},
};

struct ConsonantShape {
    const char* name;
    Kind kind;
    double seconds, locusF2, voice, noise, noiseHz, noiseQ;
};
constexpr ConsonantShape kConsonants[] = {
    {"sh", Kind::Fricative, 0.10, 2200, 0.0, 0.5, 3000, 1.5}, {"ch", Kind::Plosive, 0.09, 2200, 0.0, 0.6, 3200, 1.5},
    {"s", Kind::Fricative, 0.10, 1700, 0.0, 0.45, 6500, 2.0}, {"z", Kind::Fricative, 0.09, 1700, 0.5, 0.35, 6000, 2.0},
    {"f", Kind::Fricative, 0.09, 900, 0.0, 0.25, 5000, 0.7},  {"v", Kind::Fricative, 0.08, 900, 0.5, 0.2, 4500, 0.7},
    {"j", Kind::Plosive, 0.08, 2200, 0.5, 0.5, 3000, 1.5},    {"h", Kind::Aspirate, 0.07, 0, 0.0, 0.6, 0, 0},
    {"b", Kind::Plosive, 0.07, 900, 0.4, 0.5, 900, 1.0},      {"p", Kind::Plosive, 0.08, 900, 0.0, 0.7, 1000, 1.0},
    {"d", Kind::Plosive, 0.07, 1700, 0.4, 0.5, 3800, 1.5},    {"t", Kind::Plosive, 0.08, 1700, 0.0, 0.7, 4200, 1.5},
    {"g", Kind::Plosive, 0.07, 2200, 0.4, 0.5, 2200, 2.0},    {"k", Kind::Plosive, 0.08, 2200, 0.0, 0.7, 2400, 2.0},
    {"m", Kind::Nasal, 0.07, 900, 0.6, 0.0, 0, 0},            {"n", Kind::Nasal, 0.07, 1700, 0.6, 0.0, 0, 0},
    {"l", Kind::Liquid, 0.06, 1100, 0.8, 0.0, 0, 0},          {"r", Kind::Liquid, 0.06, 1300, 0.8, 0.0, 0, 0},
    {"y", Kind::Glide, 0.05, 2200, 0.8, 0.0, 0, 0},           {"w", Kind::Glide, 0.05, 750, 0.8, 0.0, 0, 0},
};

std::vector<Phone> Parse(const std::string& text) {
    std::vector<Phone> out;
    size_t i = 0;
    auto starts = [&](const char* s) { return text.compare(i, std::char_traits<char>::length(s), s) == 0; };
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
            continue;
        }
        if (c == '-') {
            out.push_back({Kind::Pause, 0.08, {500, 1500, 2500, 3500}, 0, 0, 0, 0});
            ++i;
            continue;
        }
        if (c == '!') {
            // Stresses the syllable just written: its vowel.
            for (auto it = out.rbegin(); it != out.rend(); ++it)
                if (it->kind == Kind::Vowel) {
                    it->stressed = true;
                    break;
                }
            ++i;
            continue;
        }
        bool matched = false;
        for (const VowelShape& v : kVowels) {
            if (!starts(v.name)) continue;
            const size_t len = std::char_traits<char>::length(v.name);
            i += len;
            double seconds = 0.11;
            while (text.compare(i, len, v.name) == 0) {  // held: each repeat adds a beat
                seconds += 0.11;
                i += len;
            }
            out.push_back({Kind::Vowel, seconds, {v.f[0], v.f[1], v.f[2], v.f[3]}, 1.0, 0, 0, 0});
            matched = true;
            break;
        }
        if (matched) continue;
        for (const ConsonantShape& k : kConsonants) {
            if (!starts(k.name)) continue;
            i += std::char_traits<char>::length(k.name);
            Phone p{k.kind, k.seconds, {300, k.locusF2, 2500, 3400}, k.voice, k.noise, k.noiseHz, k.noiseQ};
            if (k.name[0] == 'r') p.f[2] = 1650;  // r lowers the third formant
            if (k.kind == Kind::Nasal) p.f[0] = 250;
            p.takesNextVowel = k.kind != Kind::Aspirate;
            out.push_back(p);
            matched = true;
            break;
        }
        if (!matched) ++i;  // an unknown letter is skipped
    }
    // Consonants lean on their vowel: halfway between their locus and the vowel that follows
    // (or the one before, at the end of a word); an "h" takes its vowel whole.
    for (size_t k = 0; k < out.size(); ++k) {
        if (out[k].kind == Kind::Vowel || out[k].kind == Kind::Pause) continue;
        const Phone* v = nullptr;
        for (size_t j = k + 1; j < out.size() && !v; ++j)
            if (out[j].kind == Kind::Vowel) v = &out[j];
        for (size_t j = k; j-- > 0 && !v;)
            if (out[j].kind == Kind::Vowel) v = &out[j];
        if (!v) continue;
        if (out[k].kind == Kind::Aspirate) {
            for (int f = 0; f < 4; ++f) out[k].f[f] = v->f[f];
        } else {
            out[k].f[1] = 0.5 * (out[k].f[1] + v->f[1]);
            out[k].f[2] = 0.5 * (out[k].f[2] + v->f[2]);
            out[k].f[3] = v->f[3];
        }
    }
    return out;
}

double Contour(const std::vector<double>& c, double t) {
    if (c.empty()) return 1;
    if (c.size() == 1) return c[0];
    const double x = std::clamp(t, 0.0, 1.0) * double(c.size() - 1);
    const size_t i = std::min(size_t(x), c.size() - 2);
    const double f = x - double(i);
    return c[i] * (1 - f) + c[i + 1] * f;
}

}  // namespace

Samples Speak(const std::string& phonemes, const VoiceStyle& st, const std::vector<double>& contour) {
    const std::vector<Phone> phones = Parse(phonemes);
    // Per-sample targets, then smoothed so the tract glides from one sound to the next.
    struct Track {
        double f[4], voice, noise, noiseHz, noiseQ, stress, aspirate, burst;
    };
    std::vector<Track> tr;
    for (const Phone& p : phones) {
        const int n = Count(p.seconds / st.tempo * (p.stressed ? 1.25 : 1.0));
        for (int i = 0; i < n; ++i) {
            Track t{};
            for (int f = 0; f < 4; ++f) t.f[f] = p.f[f];
            t.voice = p.voice;
            t.noise = p.noise;
            t.noiseHz = p.noiseHz;
            t.noiseQ = p.noiseQ;
            t.stress = p.stressed ? 1 : 0;
            t.aspirate = p.kind == Kind::Aspirate ? 1 : 0;
            if (p.kind == Kind::Plosive) {
                // A closure, then the burst and a voiceless puff into the next sound.
                const double at = double(i) / n;
                t.voice = at < 0.6 ? p.voice * 0.2 : p.voice;
                t.noise = at < 0.6 ? 0 : p.noise;
                t.burst = at >= 0.6 && at < 0.75 ? 1 : 0;
            }
            tr.push_back(t);
        }
    }
    const size_t total = tr.size();
    Samples out(total, 0.0f);
    if (total == 0) return out;

    Noise noise{st.seed * 2654435761u + 17};
    Resonator res[5];
    Biquad fricative, breathHigh;
    breathHigh.Tune(Biquad::High, 400, 0.7);
    Track s = tr[0];
    const double formantGlide = 1 - std::exp(-1.0 / (0.018 * kSampleRate));
    const double ampGlide = 1 - std::exp(-1.0 / (0.006 * kSampleRate));
    double phase = 1, periodAmp = 1, periodJitter = 1, lastGlottis = 0, lastVoiced = 0;
    int periodIndex = 0;
    const double bwScale = std::sqrt(st.formantScale);
    for (size_t i = 0; i < total; ++i) {
        const Track& t = tr[i];
        for (int f = 0; f < 4; ++f) s.f[f] += (t.f[f] - s.f[f]) * formantGlide;
        s.voice += (t.voice - s.voice) * ampGlide;
        s.noise += (t.noise - s.noise) * ampGlide;
        s.stress += (t.stress - s.stress) * formantGlide;
        s.aspirate += (t.aspirate - s.aspirate) * ampGlide;
        s.noiseHz = t.noiseHz;
        s.noiseQ = t.noiseQ;
        const double time = double(i) / kSampleRate;

        // The glottis: one Rosenberg pulse a period, each period a little off in length and
        // strength; the radiated sound is its slope.
        const double f0 = st.pitch * Contour(contour, double(i) / double(total)) * (1 + 0.12 * s.stress) *
                          (1 + 0.006 * std::sin(2 * kPi * 5.2 * time)) * periodJitter;
        phase += f0 / kSampleRate;
        if (phase >= 1) {
            phase -= std::floor(phase);
            ++periodIndex;
            periodJitter = 1 + st.jitter * noise.Next();
            periodAmp = 1 + st.shimmer * noise.Next();
            if (st.roughness > 0 && (periodIndex & 1)) periodAmp *= 1 - st.roughness;
        }
        double glottis;
        if (phase < 0.4) glottis = 0.5 * (1 - std::cos(kPi * phase / 0.4));
        else if (phase < 0.6) glottis = std::cos(0.5 * kPi * (phase - 0.4) / 0.2);
        else glottis = 0;
        const double slope = (glottis - lastGlottis) * kSampleRate / (2 * kPi * std::max(f0, 40.0));
        lastGlottis = glottis;

        const double breathNoise = breathHigh.Run(noise.Next());
        const double loud = 1 + 0.4 * s.stress;
        double source = slope * periodAmp * s.voice * loud;
        source += breathNoise * (st.breath * (0.4 + glottis) * s.voice + 0.5 * st.consonants * s.aspirate);

        double y = source;
        const double bw[5] = {80, 100, 140, 200, 260};
        for (int f = 0; f < 4; ++f) y = res[f].Run(y, s.f[f] * st.formantScale, bw[f] * bwScale);
        y = res[4].Run(y, 4300 * st.formantScale, bw[4] * bwScale);
        // The cascade darkens what lies above its last resonance; the open mouth brings the
        // presence back (+6 dB an octave above about 2 kHz).
        const double presence = y - 0.85 * lastVoiced;
        lastVoiced = y;
        y = 0.5 * y + 1.2 * presence;

        if (s.noise > 0.001 && s.noiseHz > 0) {
            fricative.Tune(Biquad::Band, s.noiseHz * std::sqrt(st.formantScale), s.noiseQ);
            y += fricative.Run(noise.Next()) * 0.5 * st.consonants * s.noise * (1 + 1.0 * t.burst);
        }
        if (st.tremolo > 0) y *= 1 - st.tremolo * 0.5 * (1 + std::sin(2 * kPi * st.tremoloHz * time));
        if (st.ring > 0) y = y * (1 - st.ring) + y * st.ring * std::sin(2 * kPi * st.ringHz * time);
        out[i] = float(y);
    }
    // The voice dies away over its last 20 ms (before any echo repeats it).
    const size_t tail = std::min<size_t>(total / 4, size_t(Count(0.02)));
    for (size_t i = 0; i < tail; ++i) out[total - 1 - i] *= float(i) / float(tail);
    if (st.echo > 0) {
        const size_t d = size_t(Count(st.echoSeconds));
        out.resize(total + 3 * d, 0.0f);
        for (size_t i = d; i < out.size(); ++i) out[i] += float(st.echo) * out[i - d];
    }
    // A short fade at both ends: every clip starts and ends on silence.
    const size_t fade = std::min<size_t>(out.size() / 4, size_t(Count(0.01)));
    for (size_t i = 0; i < fade; ++i) {
        const float g = float(i) / float(fade);
        out[i] *= g;
        out[out.size() - 1 - i] *= g;
    }
    return out;
}

}  // namespace gen
