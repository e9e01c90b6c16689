#include "platform/Resources.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "platform/PlatformError.h"

// The index tables the build's embedder generates (embedded_resources.s).
namespace {
struct EmbeddedBlob {
    const char* name;
    const uint8_t* data;
    uint64_t size;
};
struct EmbeddedString {
    int64_t id;
    const char* text;
    uint64_t size;
};
}  // namespace

extern "C" {
extern const EmbeddedBlob gorb_res_bitmaps[];
extern const uint64_t gorb_res_bitmaps_count;
extern const EmbeddedBlob gorb_res_waves[];
extern const uint64_t gorb_res_waves_count;
extern const EmbeddedString gorb_res_strings[];
extern const uint64_t gorb_res_strings_count;
}

namespace gorb::res {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

[[noreturn]] void NotFound(std::string_view what) {
    throw PlatformError(err::ResourceNotFound, "Resource with identifier '" + std::string(what) + "' not found");
}

class BlobIndex {
public:
    BlobIndex(const EmbeddedBlob* table, uint64_t count) : table_(table), count_(count) {
        for (uint64_t i = 0; i < count; ++i) byName_.emplace(Lower(table[i].name), &table[i]);
    }
    const EmbeddedBlob* Find(std::string_view name) const {
        auto it = byName_.find(Lower(name));
        return it == byName_.end() ? nullptr : it->second;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> v;
        for (uint64_t i = 0; i < count_; ++i) v.emplace_back(table_[i].name);
        return v;
    }

private:
    const EmbeddedBlob* table_;
    uint64_t count_;
    std::unordered_map<std::string, const EmbeddedBlob*> byName_;
};

const BlobIndex& Bitmaps() {
    static const BlobIndex index(gorb_res_bitmaps, gorb_res_bitmaps_count);
    return index;
}

const BlobIndex& Waves() {
    static const BlobIndex index(gorb_res_waves, gorb_res_waves_count);
    return index;
}

std::span<const uint8_t> Find(const BlobIndex& index, std::string_view name) {
    const EmbeddedBlob* b = index.Find(name);
    if (!b) NotFound(name);
    return {b->data, size_t(b->size)};
}

// The embedder writes the strings sorted by id.
const EmbeddedString* FindString(int id) {
    const EmbeddedString* end = gorb_res_strings + gorb_res_strings_count;
    const EmbeddedString* it =
        std::lower_bound(gorb_res_strings, end, id, [](const EmbeddedString& s, int v) { return s.id < v; });
    return it != end && it->id == id ? it : nullptr;
}

}  // namespace

std::span<const uint8_t> FindBitmap(std::string_view name) { return Find(Bitmaps(), name); }
std::span<const uint8_t> FindWave(std::string_view name) { return Find(Waves(), name); }
bool HasBitmap(std::string_view name) { return Bitmaps().Find(name) != nullptr; }
bool HasWave(std::string_view name) { return Waves().Find(name) != nullptr; }

std::string LoadString(int id) {
    const EmbeddedString* s = FindString(id);
    if (!s) NotFound(std::to_string(id));
    return std::string(s->text, size_t(s->size));
}

bool HasString(int id) { return FindString(id) != nullptr; }

std::vector<std::string> BitmapNames() { return Bitmaps().Names(); }
std::vector<std::string> WaveNames() { return Waves().Names(); }

}  // namespace gorb::res
