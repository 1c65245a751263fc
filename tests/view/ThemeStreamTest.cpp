// Tests of decoding theme pictures chunk by chunk: the same pictures and the same failures as expanding them whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestBitmaps.h"
#include "ThemeOutcome.h"
#include "view/Bmp.h"
#include "view/BmpStream.h"
#include "view/ThemeError.h"

using zv::test::MakeBmp24;
using zv::test::MakeBmp32;
using zv::test::MakeBmp8;
using zv::test::PutU32;
using zv::view::BmpStream;
using zv::view::ThemeError;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes Patched(Bytes v, std::size_t at, std::uint32_t value) {
    PutU32(v, at, value);
    return v;
}

Bytes TopDown(Bytes bmp) {
    const std::int32_t height = static_cast<std::int32_t>(bmp[22] | bmp[23] << 8);
    PutU32(bmp, 22, static_cast<std::uint32_t>(-height));
    return bmp;
}

// A 24-bit file with 5 bytes between its headers and its rows and 9 bytes after them.
Bytes WithGapAndTail(int width, int height) {
    Bytes bmp = MakeBmp24(width, height, 3);
    bmp.insert(bmp.begin() + 54, 5, 0xEE);
    bmp.insert(bmp.end(), 9, 0xDD);
    PutU32(bmp, 10, 59);
    PutU32(bmp, 2, static_cast<std::uint32_t>(bmp.size()));
    return bmp;
}

} // namespace

TEST(BmpStream, PiecesOfAnySizeGiveWhatTheWholeFileGives) {
    struct Case { Bytes bmp; bool rows; };
    const std::vector<Case> cases = {
        {MakeBmp24(1, 30), true}, {MakeBmp24(2, 20, 1), true}, {MakeBmp24(3, 10, 2), true}, {MakeBmp24(13, 9, 4), true},
        {TopDown(MakeBmp24(13, 9, 5)), true}, {MakeBmp32(7, 6), true}, {TopDown(MakeBmp32(5, 40, 1)), true},
        {WithGapAndTail(6, 7), true}, {MakeBmp8(9, 5), false}, {MakeBmp24(1, 1), false} /* shorter than the largest header */,
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Bytes& bmp = cases[i].bmp;
        zv::ui::Picture expected;
        expected.surface = zv::view::DecodeBmp(bmp.data(), bmp.size());
        for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{64}, std::size_t{139}, bmp.size()}) {
            SCOPED_TRACE(testing::Message() << "case " << i << ", pieces of " << piece);
            BmpStream stream(bmp.size());
            for (std::size_t p = 0; p < bmp.size(); p += piece) stream.Append(bmp.data() + p, std::min(piece, bmp.size() - p));
            EXPECT_EQ(stream.Streaming(), cases[i].rows);
            zv::view::BmpInfo info;
            ASSERT_TRUE(stream.Info(info));
            EXPECT_EQ(info.width, expected.surface->w);
            zv::ui::Picture picture;
            picture.surface = stream.Decode();
            EXPECT_TRUE(zv::test::StateOf(picture) == zv::test::StateOf(expected));
        }
    }
}

TEST(BmpStream, CutFilesAndLyingHeadersAreRefusedAsDecodeBmpRefusesThem) {
    const Bytes bmp = MakeBmp24(5, 12);
    std::vector<Bytes> bad = {Patched(bmp, 2, static_cast<std::uint32_t>(bmp.size() + 1)), Patched(bmp, 10, 60),
                              Patched(bmp, 22, 13)};
    for (std::size_t cut = 0; cut < bmp.size(); ++cut) bad.emplace_back(bmp.begin(), bmp.begin() + static_cast<std::ptrdiff_t>(cut));
    for (std::size_t i = 0; i < bad.size(); ++i) {
        BmpStream stream(bmp.size() + 1);
        for (std::size_t p = 0; p < bad[i].size(); p += 7) stream.Append(bad[i].data() + p, std::min<std::size_t>(7, bad[i].size() - p));
        zv::view::BmpInfo info;
        EXPECT_FALSE(stream.Info(info)) << "case " << i;
        EXPECT_THROW(stream.Decode(), ThemeError) << "case " << i;
    }
}

TEST(BmpStream, HeadersPromisingMoreThanCanArriveKeepTheFileWhole) {
    const Bytes bmp = MakeBmp24(33, 33);
    BmpStream stream(bmp.size() - 1);
    stream.Append(bmp.data(), bmp.size());
    EXPECT_FALSE(stream.Streaming());
    EXPECT_EQ(stream.Decode()->w, 33);
}
