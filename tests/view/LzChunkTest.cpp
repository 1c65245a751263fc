// Tests of chunk expansion and compression: the item rules, malformed chunks and round trips.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "view/LzChunk.h"
#include "TestBitmaps.h"
#include "view/ThemeError.h"

using zv::view::CompressChunk;
using zv::view::ExpandChunk;
using zv::view::ThemeError;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes Expand(const Bytes& chunk, Bytes out = {}) {
    ExpandChunk(chunk.data(), chunk.size(), out);
    return out;
}

// Expects the chunk to be rejected with the read error and `out` to stay as it was.
void ExpectReadError(const Bytes& chunk) {
    Bytes out = {7, 7};
    try {
        ExpandChunk(chunk.data(), chunk.size(), out);
        FAIL() << "chunk accepted";
    } catch (const ThemeError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_EQ(out, (Bytes{7, 7}));
}

} // namespace

TEST(ExpandChunk, StoredChunkYieldsAllButItsFirstByte) {
    EXPECT_EQ(Expand({128, 1, 2, 3}), (Bytes{1, 2, 3}));
    EXPECT_EQ(Expand({128}), Bytes{});
    Bytes big(zv::view::kMaxChunkLength, 9);
    big[0] = 128;
    EXPECT_EQ(Expand(big).size(), zv::view::kMaxChunkLength - 1);
}

TEST(ExpandChunk, AppendsToWhatTheOutputHolds) {
    EXPECT_EQ(Expand({128, 5}, {1, 2}), (Bytes{1, 2, 5}));
    EXPECT_EQ(Expand({64, 0x00, 0x00, 'x'}, {1}), (Bytes{1, 'x'}));
}

TEST(ExpandChunk, ItemsFollowTheControlBitsFromTheTop) {
    // literal 'a', run of 16 'z' (count 0), literal 'b', then a copy of distance 1 and length 18.
    const Bytes chunk = {64, 0x50, 0x00, 'a', 0, 0, 0, 'z', 'b', 0x00, 0x1F};
    Bytes want = {'a'};
    want.insert(want.end(), 16, 'z');
    want.push_back('b');
    want.insert(want.end(), 18, 'b');
    EXPECT_EQ(Expand(chunk), want);
}

TEST(ExpandChunk, RunCountIsSixteenMore) {
    EXPECT_EQ(Expand({64, 0x80, 0x00, 0, 0x0F, 0xFF, 3}), Bytes(4111, 3));
    EXPECT_EQ(Expand({64, 0x80, 0x00, 0, 0x01, 0x02, 3}), Bytes(258 + 16, 3));
}

TEST(ExpandChunk, OverlappingCopyRepeatsItsOwnOutput) {
    // "ab" then a copy of distance 2 and length 5.
    EXPECT_EQ(Expand({64, 0x20, 0x00, 'a', 'b', 0x00, 0x22}), (Bytes{'a', 'b', 'a', 'b', 'a', 'b', 'a'}));
    // Distance 20, length 18: a plain copy.
    Bytes chunk = {64, 0x00, 0x00};
    Bytes want;
    for (int i = 0; i < 16; ++i) { chunk.push_back(static_cast<std::uint8_t>(i)); want.push_back(static_cast<std::uint8_t>(i)); }
    chunk.insert(chunk.end(), {0x00, 0x00, 16, 17, 18, 19});  // second control word: four literals
    for (int i = 16; i < 20; ++i) want.push_back(static_cast<std::uint8_t>(i));
    chunk[1] = 0x00;
    chunk[chunk.size() - 6] = 0x08;  // fifth item of the second word is a copy
    chunk.insert(chunk.end(), {0x01, 0x4F});
    for (int i = 0; i < 18; ++i) want.push_back(want[want.size() - 20]);
    EXPECT_EQ(Expand(chunk), want);
}

TEST(ExpandChunk, ControlWordIsReadOnlyWhenItemsFollow) {
    Bytes chunk = {64, 0x00, 0x00};
    chunk.insert(chunk.end(), 16, 'q');
    EXPECT_EQ(Expand(chunk), Bytes(16, 'q'));
    chunk.insert(chunk.end(), {0x00, 0x00});  // a trailing control word with no items
    EXPECT_EQ(Expand(chunk), Bytes(16, 'q'));
    EXPECT_EQ(Expand({64}), Bytes{});
}

TEST(ExpandChunk, MalformedChunksAreReadErrors) {
    ExpectReadError({});                                   // no first byte
    ExpectReadError({64, 0x80});                           // control word cut short
    ExpectReadError({64, 0x80, 0x00, 0x00});               // copy cut short
    ExpectReadError({64, 0x80, 0x00, 0, 0, 0});            // run cut short
    ExpectReadError({64, 0x80, 0x00, 0x00, 0x10});         // copy before any output
    ExpectReadError({64, 0x40, 0x00, 'a', 0x00, 0x20});    // distance 2 with one byte produced
    // A copy may not reach into what earlier chunks produced.
    Bytes out(100, 1);
    EXPECT_THROW(ExpandChunk(Bytes{64, 0x80, 0x00, 0x00, 0x10}.data(), 5, out), ThemeError);
    EXPECT_EQ(out.size(), 100u);
    Bytes tooLong(zv::view::kMaxChunkLength + 1, 0);
    tooLong[0] = 128;
    ExpectReadError(tooLong);
}

TEST(ExpandChunk, ExpansionIsCappedAt32781Bytes) {
    // Seven runs of 4111 and one of 4004 fill the chunk exactly; one more literal is too much.
    Bytes chunk = {64, 0xFF, 0x00};
    for (int i = 0; i < 7; ++i) chunk.insert(chunk.end(), {0, 0x0F, 0xFF, 1});
    chunk.insert(chunk.end(), {0, 0x0F, 0x94, 2});
    Bytes out = Expand(chunk);
    ASSERT_EQ(out.size(), zv::view::kMaxChunkOutput);
    EXPECT_EQ(out.back(), 2);
    chunk.push_back('x');
    ExpectReadError(chunk);
    chunk.pop_back();
    chunk[1] = 0xFF;
    chunk[2] = 0x80;
    chunk.insert(chunk.end(), {0x00, 0x10});
    ExpectReadError(chunk);
}

TEST(CompressChunk, RoundTripsAndPicksTheSmallerForm) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    const Bytes picture = zv::test::MakeBmp24(200, 100, 3);
    for (std::size_t length : {0u, 1u, 2u, 3u, 17u, 18u, 19u, 4096u, 4111u, 4127u, 32780u, 32781u}) {
        Bytes noise(length), flat(length, 0x5A), mixed(length);
        for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
        for (std::size_t i = 0; i < length; ++i)
            mixed[i] = (rng() % 4 == 0) ? static_cast<std::uint8_t>(rng() % 3) : picture[i % picture.size()];
        for (const Bytes* in : {&noise, &flat, &mixed}) {
            const Bytes chunk = CompressChunk(in->data(), in->size());
            EXPECT_LE(chunk.size(), in->size() + 1);
            EXPECT_EQ(Expand(chunk), *in) << "length " << length;
        }
        if (length > 64) {
            EXPECT_EQ(CompressChunk(noise.data(), noise.size())[0], 128);
            EXPECT_EQ(CompressChunk(flat.data(), flat.size())[0], 64);
            EXPECT_LT(CompressChunk(flat.data(), flat.size()).size(), length / 100 + 16);
        }
    }
    const Bytes chunk = CompressChunk(picture.data(), 32781);
    EXPECT_EQ(chunk[0], 64);
    EXPECT_LT(chunk.size(), 32781u / 2);
}

TEST(ExpandChunk, DamagedChunksNeverOverrun) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    const Bytes picture = zv::test::MakeBmp24(60, 60, 1);
    const Bytes good = CompressChunk(picture.data(), std::min<std::size_t>(picture.size(), 32781));
    for (int round = 0; round < 3000; ++round) {
        Bytes bad = good;
        for (int flips = 1 + static_cast<int>(rng() % 4); flips > 0; --flips)
            bad[1 + rng() % (bad.size() - 1)] = static_cast<std::uint8_t>(rng());
        bad.resize(1 + rng() % bad.size());
        Bytes out;
        try {
            ExpandChunk(bad.data(), bad.size(), out);
            EXPECT_LE(out.size(), zv::view::kMaxChunkOutput);
        } catch (const ThemeError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
            EXPECT_TRUE(out.empty());
        }
    }
}
