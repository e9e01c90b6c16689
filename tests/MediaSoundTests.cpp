#include <gtest/gtest.h>

#include <vector>

#include "media/SoundRings.h"

using namespace gorb;

TEST(MediaSoundRings, RingsAdvanceBeforeUseAndWrap) {
    ChannelRings f;
    // The first ordinary effect lands on channel 2; channel 1 first with the 20th; the 21st
    // takes the 1st one's channel again.
    std::vector<int> general;
    for (int i = 0; i < 21; ++i) {
        SoundRoute r = RouteQueuedSound(23, f);
        ASSERT_TRUE(r.OnChannel);
        general.push_back(r.Channel);
    }
    EXPECT_EQ(general.front(), 2);
    EXPECT_EQ(general[18], 20);
    EXPECT_EQ(general[19], 1);
    EXPECT_EQ(general[20], 2);

    struct { int n; std::vector<int> channels; } rings[] = {
        {46, {21, 22, 21}},       // items (58 shares it)
        {55, {23, 24, 25, 23}},   // boss voices
        {49, {25, 26, 27, 28, 26}},  // crashes start on 25, the boss ring's last channel
    };
    for (auto& ring : rings) {
        for (int want : ring.channels) {
            SoundRoute r = RouteQueuedSound(ring.n, f);
            EXPECT_TRUE(r.OnChannel);
            EXPECT_EQ(r.Channel, want) << "sound " << ring.n;
        }
    }
    EXPECT_EQ(RouteQueuedSound(58, f).Channel, 22);
    EXPECT_EQ(RouteQueuedSound(50, f).Channel, 27);
}

TEST(MediaSoundRings, WhichNumbersPlayOnTheirOwnBuffer) {
    ChannelRings f;
    for (int n = 1; n <= kSoundCount; ++n) {
        bool own = n == 32 || n == 47 || n == 48 || (n >= 54 && n != 55 && n != 58);
        ChannelRings before = f;
        SoundRoute r = RouteQueuedSound(n, f);
        EXPECT_EQ(r.OnChannel, !own) << n;
        if (own) {  // no ring moves
            EXPECT_EQ(f.ChannelGeneral, before.ChannelGeneral) << n;
            EXPECT_EQ(f.ChannelItem, before.ChannelItem) << n;
            EXPECT_EQ(f.ChannelBoss, before.ChannelBoss) << n;
            EXPECT_EQ(f.ChannelCrash, before.ChannelCrash) << n;
        }
    }
}
