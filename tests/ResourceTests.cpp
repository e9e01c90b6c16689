// Resource lookup: bitmaps and waves by name in any letter case, strings by id, and the one
// error value for anything missing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/PlatformError.h"
#include "platform/Resources.h"

namespace gorb {
namespace {

std::string Quoted(std::string_view s) {
    std::string q;
    q.reserve(s.size() + 2);
    q.push_back('"');
    q.append(s);
    q.push_back('"');
    return q;
}

template <typename F>
PlatformError ErrorOf(F&& f) {
    try {
        f();
    } catch (const PlatformError& e) {
        return e;
    }
    ADD_FAILURE() << "no PlatformError thrown";
    return PlatformError(0, "");
}

TEST(Resources, NamesMatchInAnyLetterCase) {
    for (const char* name : {"vorpex07", "VORPEX07", "Vorpex07"}) {
        EXPECT_TRUE(res::HasBitmap(name)) << name;
        EXPECT_EQ(res::FindBitmap(name).data(), res::FindBitmap("vorpex07").data()) << name;
    }
    for (const char* name : {"SHOOT01", "shoot01", "sHoOt01"}) {
        EXPECT_TRUE(res::HasWave(name)) << name;
        EXPECT_EQ(res::FindWave(name).data(), res::FindWave("SHOOT01").data()) << name;
    }
    EXPECT_EQ(res::FindBitmap("intro01").data(), res::FindBitmap("INTRO01").data());
    EXPECT_EQ(res::FindBitmap("END").size(), res::FindBitmap("end").size());
}

TEST(Resources, BitmapsAndWavesAreSeparateNamespaces) {
    EXPECT_FALSE(res::HasWave("misc"));
    EXPECT_FALSE(res::HasBitmap("drum1"));
    EXPECT_EQ(ErrorOf([] { res::FindWave("misc"); }).Number, err::ResourceNotFound);
}

TEST(Resources, MissingNameOrIdFailsWithTheErrorValue) {
    struct Case {
        std::function<void()> lookup;
        std::string description;
    };
    const Case cases[] = {
        {[] { res::FindBitmap("vorpex54"); }, "Resource with identifier 'vorpex54' not found"},
        {[] { res::FindBitmap(""); }, "Resource with identifier '' not found"},
        {[] { res::FindWave("Zugbos11a"); }, "Resource with identifier 'Zugbos11a' not found"},
        {[] { res::LoadString(465); }, "Resource with identifier '465' not found"},
        {[] { res::LoadString(0); }, "Resource with identifier '0' not found"},
        {[] { res::LoadString(594); }, "Resource with identifier '594' not found"},
    };
    for (const auto& c : cases) {
        PlatformError e = ErrorOf(c.lookup);
        EXPECT_EQ(e.Number, err::ResourceNotFound);
        EXPECT_EQ(e.Description, c.description);
        EXPECT_FALSE(e.Source.empty());
    }
    EXPECT_FALSE(res::HasBitmap("vorpex54"));
    EXPECT_FALSE(res::HasWave("zugbos11a"));
    EXPECT_FALSE(res::HasString(465));
}

TEST(Resources, TellingRowsAreStoredWithTheirQuotes) {
    EXPECT_EQ(res::LoadString(101), "\"1,1,1,99,\"");
    EXPECT_EQ(res::LoadString(102), "\"1,2,6,7,8,9,99,\"");
    EXPECT_EQ(res::LoadString(281), "\"1,7,0,1,99,99,1,\"");
    EXPECT_EQ(res::LoadString(491), "\"1,1,1,2,2,5,5,6,6,7,99,\"");
    EXPECT_EQ(res::LoadString(531), "\"1,56,56,56,56,58,58,57,62,99,\"");
}

TEST(Resources, SkipIdsHoldSkipAndTheGapDoesNotExist) {
    const std::pair<int, int> skipRanges[] = {{274, 280}, {455, 460}, {470, 470}, {484, 490},
                                              {525, 530}, {554, 560}, {574, 580}};
    for (auto [first, last] : skipRanges)
        for (int id = first; id <= last; ++id) EXPECT_EQ(res::LoadString(id), "\"skip\"") << id;
    for (int id = 461; id <= 469; ++id) EXPECT_FALSE(res::HasString(id)) << id;
}

TEST(Resources, HarderDifficultySpliceEntries) {
    const char* anchors[13] = {"99,99,99,99",    "99,99,99,99",    "100,0,13,43",  "99,99,99,99",
                               "100,200,9,20",   "400,163,30,102", "200,-10,35,109", "1,78,37,118",
                               "9,55,46,140",    "5,-20,49,162",   "200,10,19,83", "100,-40,88,139",
                               "9,54,46,140"};
    const char* inserted[13] = {"50,120,9,20,",
                                "50,120,10,31,",
                                "50,10,14,48,",
                                "1,-40,89,139,20,-10,16,63,20,311,16,65,",
                                "1,0,9,20,1,300,9,20,",
                                "1,314,29,171,1,297,31,172,1,166,30,174,",
                                "100,-10,35,109,100,-10,35,109,",
                                "1,78,37,118,17,100,38,119,50,49,37,120,",
                                "1,10,19,83,",
                                "5,-20,49,162,5,-138,50,170,80,-100,51,170,",
                                "1,-150,19,83,1,180,19,83,",
                                "50,120,10,31,",
                                "5,-40,49,162,5,-138,50,170,80,-100,51,170,"};
    const int extra[13] = {1, 1, 1, 2, 2, 3, 2, 3, 1, 3, 2, 1, 3};
    for (int l = 1; l <= 13; ++l) {
        EXPECT_EQ(res::LoadString(540 + l), Quoted(anchors[l - 1])) << l;
        EXPECT_EQ(res::LoadString(560 + l), Quoted(inserted[l - 1])) << l;
        EXPECT_EQ(res::LoadString(580 + l), Quoted(std::to_string(extra[l - 1]))) << l;
    }
}

}  // namespace
}  // namespace gorb
