#include "platform/Text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <tuple>
#include <vector>

#include "platform/Surface.h"

namespace gorb {

namespace {

// 5 x 7 bitmap glyphs for ASCII 32..126, one byte per column, bit 0 the top row. The fallback
// draws them proportionally (see FallbackGlyph), so it is about as wide as a real face.
constexpr uint8_t kGlyphs[95][5] = {
    {0x00, 0x00, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x5F, 0x00, 0x00}, {0x00, 0x07, 0x00, 0x07, 0x00},
    {0x14, 0x7F, 0x14, 0x7F, 0x14}, {0x24, 0x2A, 0x7F, 0x2A, 0x12}, {0x23, 0x13, 0x08, 0x64, 0x62},
    {0x36, 0x49, 0x55, 0x22, 0x50}, {0x00, 0x05, 0x03, 0x00, 0x00}, {0x00, 0x1C, 0x22, 0x41, 0x00},
    {0x00, 0x41, 0x22, 0x1C, 0x00}, {0x14, 0x08, 0x3E, 0x08, 0x14}, {0x08, 0x08, 0x3E, 0x08, 0x08},
    {0x00, 0x50, 0x30, 0x00, 0x00}, {0x08, 0x08, 0x08, 0x08, 0x08}, {0x00, 0x60, 0x60, 0x00, 0x00},
    {0x20, 0x10, 0x08, 0x04, 0x02}, {0x3E, 0x51, 0x49, 0x45, 0x3E}, {0x00, 0x42, 0x7F, 0x40, 0x00},
    {0x42, 0x61, 0x51, 0x49, 0x46}, {0x21, 0x41, 0x45, 0x4B, 0x31}, {0x18, 0x14, 0x12, 0x7F, 0x10},
    {0x27, 0x45, 0x45, 0x45, 0x39}, {0x3C, 0x4A, 0x49, 0x49, 0x30}, {0x01, 0x71, 0x09, 0x05, 0x03},
    {0x36, 0x49, 0x49, 0x49, 0x36}, {0x06, 0x49, 0x49, 0x29, 0x1E}, {0x00, 0x36, 0x36, 0x00, 0x00},
    {0x00, 0x56, 0x36, 0x00, 0x00}, {0x08, 0x14, 0x22, 0x41, 0x00}, {0x14, 0x14, 0x14, 0x14, 0x14},
    {0x41, 0x22, 0x14, 0x08, 0x00}, {0x02, 0x01, 0x51, 0x09, 0x06}, {0x32, 0x49, 0x79, 0x41, 0x3E},
    {0x7E, 0x11, 0x11, 0x11, 0x7E}, {0x7F, 0x49, 0x49, 0x49, 0x36}, {0x3E, 0x41, 0x41, 0x41, 0x22},
    {0x7F, 0x41, 0x41, 0x22, 0x1C}, {0x7F, 0x49, 0x49, 0x49, 0x41}, {0x7F, 0x09, 0x09, 0x09, 0x01},
    {0x3E, 0x41, 0x49, 0x49, 0x7A}, {0x7F, 0x08, 0x08, 0x08, 0x7F}, {0x00, 0x41, 0x7F, 0x41, 0x00},
    {0x20, 0x40, 0x41, 0x3F, 0x01}, {0x7F, 0x08, 0x14, 0x22, 0x41}, {0x7F, 0x40, 0x40, 0x40, 0x40},
    {0x7F, 0x02, 0x0C, 0x02, 0x7F}, {0x7F, 0x04, 0x08, 0x10, 0x7F}, {0x3E, 0x41, 0x41, 0x41, 0x3E},
    {0x7F, 0x09, 0x09, 0x09, 0x06}, {0x3E, 0x41, 0x51, 0x21, 0x5E}, {0x7F, 0x09, 0x19, 0x29, 0x46},
    {0x46, 0x49, 0x49, 0x49, 0x31}, {0x01, 0x01, 0x7F, 0x01, 0x01}, {0x3F, 0x40, 0x40, 0x40, 0x3F},
    {0x1F, 0x20, 0x40, 0x20, 0x1F}, {0x3F, 0x40, 0x38, 0x40, 0x3F}, {0x63, 0x14, 0x08, 0x14, 0x63},
    {0x07, 0x08, 0x70, 0x08, 0x07}, {0x61, 0x51, 0x49, 0x45, 0x43}, {0x00, 0x7F, 0x41, 0x41, 0x00},
    {0x02, 0x04, 0x08, 0x10, 0x20}, {0x00, 0x41, 0x41, 0x7F, 0x00}, {0x04, 0x02, 0x01, 0x02, 0x04},
    {0x40, 0x40, 0x40, 0x40, 0x40}, {0x00, 0x01, 0x02, 0x04, 0x00}, {0x20, 0x54, 0x54, 0x54, 0x78},
    {0x7F, 0x48, 0x44, 0x44, 0x38}, {0x38, 0x44, 0x44, 0x44, 0x20}, {0x38, 0x44, 0x44, 0x48, 0x7F},
    {0x38, 0x54, 0x54, 0x54, 0x18}, {0x08, 0x7E, 0x09, 0x01, 0x02}, {0x0C, 0x52, 0x52, 0x52, 0x3E},
    {0x7F, 0x08, 0x04, 0x04, 0x78}, {0x00, 0x44, 0x7D, 0x40, 0x00}, {0x20, 0x40, 0x44, 0x3D, 0x00},
    {0x7F, 0x10, 0x28, 0x44, 0x00}, {0x00, 0x41, 0x7F, 0x40, 0x00}, {0x7C, 0x04, 0x18, 0x04, 0x78},
    {0x7C, 0x08, 0x04, 0x04, 0x78}, {0x38, 0x44, 0x44, 0x44, 0x38}, {0x7C, 0x14, 0x14, 0x14, 0x08},
    {0x08, 0x14, 0x14, 0x18, 0x7C}, {0x7C, 0x08, 0x04, 0x04, 0x08}, {0x48, 0x54, 0x54, 0x54, 0x20},
    {0x04, 0x3F, 0x44, 0x40, 0x20}, {0x3C, 0x40, 0x40, 0x20, 0x7C}, {0x1C, 0x20, 0x40, 0x20, 0x1C},
    {0x3C, 0x40, 0x30, 0x40, 0x3C}, {0x44, 0x28, 0x10, 0x28, 0x44}, {0x0C, 0x50, 0x50, 0x50, 0x3C},
    {0x44, 0x64, 0x54, 0x4C, 0x44}, {0x00, 0x08, 0x36, 0x41, 0x00}, {0x00, 0x00, 0x7F, 0x00, 0x00},
    {0x00, 0x41, 0x36, 0x08, 0x00}, {0x10, 0x08, 0x08, 0x10, 0x08},
};

// A glyph as the fallback draws it: its inked columns only, and one of two equal middle columns
// dropped (round letters become four columns wide, like the lower case of a proportional face).
// A few glyphs get their narrow shapes by hand. Blank is two columns. One column of space follows
// every glyph.
struct Glyph {
    uint8_t cols[5] = {};
    int width = 0;
};

const Glyph& FallbackGlyph(char32_t cp) {
    static const std::array<Glyph, 95> glyphs = [] {
        std::array<Glyph, 95> out{};
        for (int i = 0; i < 95; ++i) {
            std::vector<uint8_t> c(kGlyphs[i], kGlyphs[i] + 5);
            for (size_t k = 1; k + 1 < c.size() && k < 3; ++k)
                if (c[k] == c[k + 1]) {
                    c.erase(c.begin() + static_cast<long>(k));
                    break;
                }
            while (!c.empty() && c.front() == 0) c.erase(c.begin());
            while (!c.empty() && c.back() == 0) c.pop_back();
            Glyph& g = out[static_cast<size_t>(i)];
            g.width = static_cast<int>(c.size());
            std::copy(c.begin(), c.end(), g.cols);
        }
        auto hand = [&](char ch, std::initializer_list<uint8_t> cols) {
            Glyph& g = out[static_cast<size_t>(ch - 32)];
            g = Glyph{};
            for (uint8_t v : cols) g.cols[g.width++] = v;
        };
        hand(' ', {0, 0});
        hand('i', {0x7D});
        hand('l', {0x7F});
        hand('j', {0x40, 0x3D});
        hand('t', {0x04, 0x3F, 0x44, 0x20});
        hand('f', {0x08, 0x7E, 0x09, 0x02});
        hand('r', {0x7C, 0x08, 0x04, 0x08});
        return out;
    }();
    return glyphs[(cp >= 32 && cp <= 126) ? cp - 32 : '?' - 32];
}

// Decodes one UTF-8 code point at i (advancing i); malformed bytes come back as '?'.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    auto c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (extra < 0) return U'?';
    char32_t cp = c & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return U'?';
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

struct LoadedFont {
    TTF_Font* ttf = nullptr;
    int scale = 1;  // of the bitmap glyphs when ttf is null
    FontMetrics metrics;
    ~LoadedFont() {
        if (ttf && TTF_WasInit()) TTF_CloseFont(ttf);
    }
};

struct FontCache {
    FontFinder finder;
    std::map<std::pair<std::string, bool>, std::string> paths;
    std::map<std::tuple<std::string, int, bool>, std::unique_ptr<LoadedFont>> fonts;
};
FontCache& Cache() {
    static FontCache c;
    return c;
}

bool FileExists(const std::string& p) {
    struct stat st{};
    return !p.empty() && stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The fontconfig set-up the lookups use: loaded at the first lookup and given back when the
// program ends (the library's own shared one is never released).
FcConfig* FontconfigSetup() {
    struct Release {
        void operator()(FcConfig* c) const { FcConfigDestroy(c); }
    };
    static const std::unique_ptr<FcConfig, Release> config(FcInitLoadConfigAndFonts());
    return config.get();
}

// Asks the fontconfig library for the file it would use for the family (its own substitutes
// and defaults applied, as any program's lookup is). No shell and no child process: the name is
// only ever a pattern value.
std::string FontconfigMatch(const std::string& name, bool bold) {
    FcConfig* config = FontconfigSetup();
    if (name.empty() || !config) return {};
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return {};
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::string path;
    FcChar8* file = nullptr;
    if (match && result == FcResultMatch && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
        path = reinterpret_cast<const char*>(file);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return FileExists(path) ? path : std::string{};
}

const LoadedFont& GetFont(const FontSpec& spec) {
    auto& c = Cache();
    int px = FontPixelSize(spec);
    auto key = std::make_tuple(spec.Name, px, spec.Bold);
    auto it = c.fonts.find(key);
    if (it != c.fonts.end()) return *it->second;
    auto f = std::make_unique<LoadedFont>();
    std::string path = FindFontFile(spec.Name, spec.Bold);
    if (!path.empty() && (TTF_WasInit() || TTF_Init() == 0)) {
        // Pixel size = points at 96 dpi; opened at 72 dpi so fractional points (8.25) keep
        // their exact pixel size.
        f->ttf = TTF_OpenFontDPI(path.c_str(), px, 72, 72);
    }
    if (f->ttf) {
        f->metrics.Height = TTF_FontHeight(f->ttf);
        f->metrics.Ascent = TTF_FontAscent(f->ttf);
    } else {
        f->scale = std::max(1, (px + 4) / 9);
        f->metrics.Height = 9 * f->scale;
        f->metrics.Ascent = 7 * f->scale;
        f->metrics.Fallback = true;
    }
    return *c.fonts.emplace(key, std::move(f)).first->second;
}

void StorePixel(SDL_Surface* s, int x, int y, uint32_t v) {
    auto* row = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
    switch (s->format->BytesPerPixel) {
        case 1: row[x] = static_cast<uint8_t>(v); break;
        case 2: reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(v); break;
        case 3: {
            uint8_t* p = row + x * 3;
            p[0] = uint8_t(v), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v >> 16);
            break;
        }
        default: reinterpret_cast<uint32_t*>(row)[x] = v; break;
    }
}

uint32_t LoadPixel(const SDL_Surface* s, int x, int y) {
    auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
    switch (s->format->BytesPerPixel) {
        case 1: return row[x];
        case 2: return reinterpret_cast<const uint16_t*>(row)[x];
        case 3: {
            const uint8_t* p = row + x * 3;
            return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        }
        default: return reinterpret_cast<const uint32_t*>(row)[x];
    }
}

// The clip narrowed to the surface.
bool ClipToSurface(const SDL_Surface* s, const SDL_Rect& clip, SDL_Rect* out) {
    SDL_Rect whole{0, 0, s->w, s->h};
    return Intersect(whole, clip, out);
}

struct LockGuard {
    SDL_Surface* s;
    explicit LockGuard(SDL_Surface* surf) : s(surf) {
        if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    }
    ~LockGuard() {
        if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    }
};

}  // namespace

int FontPixelSize(const FontSpec& font) {
    return std::max(1, static_cast<int>(std::lround(font.Size * 96.0 / 72.0)));
}

void SetFontFinder(FontFinder finder) {
    auto& c = Cache();
    c.finder = std::move(finder);
    c.paths.clear();
    c.fonts.clear();
}

std::string FindFontFile(const std::string& name, bool bold) {
    auto& c = Cache();
    auto key = std::make_pair(name, bold);
    auto it = c.paths.find(key);
    if (it != c.paths.end()) return it->second;
    std::string p = c.finder ? c.finder(name, bold) : FontconfigMatch(name, bold);
    c.paths.emplace(key, p);
    return p;
}

FontMetrics GetFontMetrics(const FontSpec& font) { return GetFont(font).metrics; }

int TextWidth(const FontSpec& font, std::string_view utf8) {
    if (utf8.empty()) return 0;
    const LoadedFont& f = GetFont(font);
    if (f.ttf) {
        int w = 0, h = 0;
        std::string s(utf8);
        if (TTF_SizeUTF8(f.ttf, s.c_str(), &w, &h) != 0) return 0;
        return w;
    }
    int w = 0;
    for (size_t i = 0; i < utf8.size();) w += (FallbackGlyph(NextCodePoint(utf8, i)).width + 1) * f.scale;
    return w;
}

void DrawText(SDL_Surface* dst, const FontSpec& font, std::string_view utf8, int x, int y,
              Rgb color, const SDL_Rect& clip) {
    SDL_Rect area;
    if (!dst || utf8.empty() || !ClipToSurface(dst, clip, &area)) return;
    const LoadedFont& f = GetFont(font);
    const uint32_t solid = MapColor(dst, color);
    const bool indexed = dst->format->BytesPerPixel == 1;
    auto inside = [&](int px, int py) {
        return px >= area.x && py >= area.y && px < area.x + area.w && py < area.y + area.h;
    };
    LockGuard lock(dst);
    if (f.ttf) {
        std::string s(utf8);
        SDL_Surface* img = TTF_RenderUTF8_Blended(f.ttf, s.c_str(), SDL_Color{255, 255, 255, 255});
        if (!img) return;
        SDL_Surface* argb = img;
        if (img->format->format != SDL_PIXELFORMAT_ARGB8888)
            argb = SDL_ConvertSurfaceFormat(img, SDL_PIXELFORMAT_ARGB8888, 0);
        if (argb) {
            SDL_LockSurface(argb);
            for (int j = 0; j < argb->h; ++j) {
                const auto* src = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(argb->pixels) + j * argb->pitch);
                for (int i = 0; i < argb->w; ++i) {
                    unsigned a = src[i] >> 24;
                    if (a == 0 || !inside(x + i, y + j)) continue;
                    if (a == 255 || (indexed && a >= 128)) {
                        StorePixel(dst, x + i, y + j, solid);
                    } else if (!indexed) {
                        Rgb under = PixelColor(dst, x + i, y + j);
                        auto mix = [a](uint8_t fg, uint8_t bg) {
                            return static_cast<uint8_t>((fg * a + bg * (255 - a) + 127) / 255);
                        };
                        StorePixel(dst, x + i, y + j,
                                   MapColor(dst, {mix(color.r, under.r), mix(color.g, under.g), mix(color.b, under.b)}));
                    }
                }
            }
            SDL_UnlockSurface(argb);
            if (argb != img) SDL_FreeSurface(argb);
        }
        SDL_FreeSurface(img);
        return;
    }
    int pen = x;
    const int sc = f.scale;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = NextCodePoint(utf8, i);
        const Glyph& g = FallbackGlyph(cp);
        for (int col = 0; col < g.width; ++col)
            for (int row = 0; row < 7; ++row)
                if (g.cols[col] >> row & 1)
                    for (int dy = 0; dy < sc; ++dy)
                        for (int dx = 0; dx < sc; ++dx) {
                            int px = pen + col * sc + dx, py = y + row * sc + dy;
                            if (inside(px, py)) StorePixel(dst, px, py, solid);
                        }
        pen += (g.width + 1) * sc;
    }
}

AccessKeyText ParseAccessKey(std::string_view caption) {
    AccessKeyText r;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            r.Text += caption[i];
            continue;
        }
        if (i + 1 < caption.size() && caption[i + 1] == '&') {
            r.Text += '&';
            ++i;
            continue;
        }
        if (i + 1 < caption.size() && r.UnderlineAt < 0) {
            r.UnderlineAt = static_cast<int>(r.Text.size());
            size_t j = i + 1;
            char32_t cp = NextCodePoint(caption, j);
            r.Key = (cp < 128) ? static_cast<char32_t>(std::tolower(static_cast<int>(cp))) : cp;
        }
    }
    return r;
}

std::vector<TextLine> WrapText(const FontSpec& font, std::string_view text, int width) {
    std::vector<TextLine> lines;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t nl = text.find('\n', pos);
        size_t end = nl == std::string_view::npos ? text.size() : nl;
        // One paragraph [pos, end): fill lines greedily at blanks.
        size_t lineStart = pos;
        bool paragraphHasLine = false;
        while (true) {
            while (lineStart < end && text[lineStart] == ' ') ++lineStart;
            size_t lineEnd = lineStart;  // end of the last word that fits
            size_t scan = lineStart;
            while (scan < end) {
                size_t wordEnd = text.find(' ', scan);
                if (wordEnd == std::string_view::npos || wordEnd > end) wordEnd = end;
                std::string_view candidate = text.substr(lineStart, wordEnd - lineStart);
                if (lineEnd != lineStart && TextWidth(font, candidate) > width) break;
                lineEnd = wordEnd;
                scan = wordEnd;
                while (scan < end && text[scan] == ' ') ++scan;
            }
            size_t len = lineEnd - lineStart;
            if (len > 0 && text[lineStart + len - 1] == '\r') --len;
            if (len > 0 || !paragraphHasLine) {
                lines.push_back({lineStart, len});
                paragraphHasLine = true;
            }
            if (lineEnd >= end || lineEnd == lineStart) break;
            lineStart = lineEnd;
        }
        if (nl == std::string_view::npos) break;
        pos = nl + 1;
    }
    // Drop a trailing empty line that a final newline left.
    while (lines.size() > 1 && lines.back().Length == 0) lines.pop_back();
    return lines;
}

bool TextFits(const FontSpec& font, std::string_view text, int width, int height, int maxLines) {
    if (text.empty()) return true;
    auto lines = WrapText(font, text, width);
    const int n = static_cast<int>(lines.size());
    const FontMetrics m = GetFontMetrics(font);
    if (n > maxLines || (n - 1) * m.Height + m.Ascent > height) return false;
    for (const TextLine& l : lines)
        if (TextWidth(font, text.substr(l.Start, l.Length)) > width) return false;
    return true;
}

uint32_t MapColor(const SDL_Surface* s, Rgb c) {
    if (s->format->BytesPerPixel == 1) {
        // 8-bit surfaces carry the game palette: its nearest entry, as every 8-bit surface maps.
        return MapColor(8, c.r, c.g, c.b);
    }
    return SDL_MapRGB(s->format, c.r, c.g, c.b);
}

Rgb PixelColor(const SDL_Surface* s, int x, int y) {
    Rgb c;
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) return c;
    SDL_GetRGB(LoadPixel(s, x, y), s->format, &c.r, &c.g, &c.b);
    return c;
}

bool Intersect(const SDL_Rect& a, const SDL_Rect& b, SDL_Rect* out) {
    int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    if (x1 <= x0 || y1 <= y0) {
        if (out) *out = SDL_Rect{x0, y0, 0, 0};
        return false;
    }
    if (out) *out = SDL_Rect{x0, y0, x1 - x0, y1 - y0};
    return true;
}

void FillRect(SDL_Surface* s, SDL_Rect r, Rgb c, const SDL_Rect& clip) {
    SDL_Rect area, box;
    if (!s || !ClipToSurface(s, clip, &area) || !Intersect(area, r, &box)) return;
    SDL_Rect saved;
    SDL_GetClipRect(s, &saved);
    SDL_SetClipRect(s, nullptr);
    SDL_FillRect(s, &box, MapColor(s, c));
    SDL_SetClipRect(s, &saved);
}

void DrawHLine(SDL_Surface* s, int x0, int x1, int y, Rgb c, const SDL_Rect& clip) {
    if (x1 < x0) std::swap(x0, x1);
    FillRect(s, SDL_Rect{x0, y, x1 - x0 + 1, 1}, c, clip);
}

void DrawVLine(SDL_Surface* s, int x, int y0, int y1, Rgb c, const SDL_Rect& clip) {
    if (y1 < y0) std::swap(y0, y1);
    FillRect(s, SDL_Rect{x, y0, 1, y1 - y0 + 1}, c, clip);
}

void PutPixel(SDL_Surface* s, int x, int y, Rgb c, const SDL_Rect& clip) {
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return;
    if (x < clip.x || y < clip.y || x >= clip.x + clip.w || y >= clip.y + clip.h) return;
    LockGuard lock(s);
    StorePixel(s, x, y, MapColor(s, c));
}

}  // namespace gorb
