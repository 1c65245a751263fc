// Large pictures kept packed: drawn and unpacked exactly as the picture they came from, and only when it pays.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "Pictures.h"
#include "ui/Draw.h"
#include "ui/ImageList.h"
#include "ui/PackedPicture.h"
#include "ui/PictureBytes.h"
#include "ui/PictureControl.h"
#include "ui/Reduce.h"

namespace zv::ui::test {
namespace {

class PackedPictureTest : public VideoTest {};

// Smooth shapes, as a background has them, in the given format.
SurfacePtr Gradient(int w, int h, Uint32 format) {
    SurfacePtr s = AdoptSurface(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(s.get(), x, y, static_cast<Uint32>((x / 12) << 16 | (y / 8) << 8 | ((x + y) / 24 & 0xFF)));
    return AdoptSurface(SDL_ConvertSurfaceFormat(s.get(), format, 0));
}

SurfacePtr Noise(int w, int h) {
    SurfacePtr s = Solid(w, h, 0);
    Uint32 v = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(s.get(), x, y, (v = v * 1103515245u + 12345u) >> 8);
    return s;
}

bool Same(SDL_Surface* a, SDL_Surface* b) {
    if (a->w != b->w || a->h != b->h) return false;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            if (Pixel(a, x, y) != Pixel(b, x, y)) return false;
    return true;
}

TEST_F(PackedPictureTest, OnlyLargeOpaqueCompressiblePicturesArePacked) {
    SurfacePtr keyed = Gradient(640, 480, SDL_PIXELFORMAT_RGB888);
    SDL_SetColorKey(keyed.get(), SDL_TRUE, 0);
    SurfacePtr blended = Gradient(640, 480, SDL_PIXELFORMAT_ARGB8888);
    SDL_SetSurfaceBlendMode(blended.get(), SDL_BLENDMODE_BLEND);
    const struct {
        const char* what;
        SurfacePtr picture;
        bool packed;
    } cases[] = {
        {"a three-byte background", Gradient(621, 462, SDL_PIXELFORMAT_BGR24), true},
        {"a four-byte background", Gradient(640, 480, SDL_PIXELFORMAT_RGB888), true},
        {"a small picture", Gradient(100, 100, SDL_PIXELFORMAT_RGB888), false},
        {"a colour-keyed picture", keyed, false},
        {"a blended picture", blended, false},
        {"noise", Noise(640, 480), false},
    };
    for (const auto& c : cases) EXPECT_EQ(PackedPicture::Pack(c.picture.get()) != nullptr, c.packed) << c.what;
}

TEST_F(PackedPictureTest, APackedPictureDrawsAndUnpacksAsTheOriginalUnderAnyClip) {
    for (Uint32 format : {SDL_PIXELFORMAT_BGR24, SDL_PIXELFORMAT_RGB888}) {
        SurfacePtr picture = Gradient(621, 462, format);
        auto packed = PackedPicture::Pack(picture.get());
        ASSERT_TRUE(packed);
        EXPECT_LT(packed->PackedBytes() * 4, static_cast<std::size_t>(picture->pitch * picture->h));
        SurfacePtr back = packed->Unpack();
        SurfacePtr original = AdoptSurface(SDL_ConvertSurfaceFormat(picture.get(), SDL_PIXELFORMAT_RGB888, 0));
        SurfacePtr unpacked = AdoptSurface(SDL_ConvertSurfaceFormat(back.get(), SDL_PIXELFORMAT_RGB888, 0));
        EXPECT_TRUE(Same(original.get(), unpacked.get()));
        // A whole paint, a label's repaint across band edges, one pixel at the far corner, and a clip off it.
        for (SDL_Rect clip : {SDL_Rect{0, 0, 700, 500}, SDL_Rect{40, 61, 97, 43}, SDL_Rect{630, 470, 1, 1}, SDL_Rect{690, 0, 10, 10}}) {
            SurfacePtr want = Solid(700, 500, 0x123456), got = Solid(700, 500, 0x123456);
            SDL_SetClipRect(want.get(), &clip);
            SDL_SetClipRect(got.get(), &clip);
            Blit(picture.get(), nullptr, want.get(), 9, 17);
            packed->Draw(got.get(), 9, 17);
            EXPECT_TRUE(Same(want.get(), got.get())) << clip.x << "," << clip.y << " " << clip.w << "x" << clip.h;
        }
    }
}

TEST_F(PackedPictureTest, AListKeepsItsBackgroundPackedAndGivesThePictureBackWhenAskedForIt) {
    SurfacePtr background = Gradient(621, 462, SDL_PIXELFORMAT_BGR24);
    ImageList list;
    list.Append().surface = AdoptSurface(SDL_ConvertSurface(background.get(), background->format, 0));
    PictureControl control;
    control.SetBounds(0, 0, 621, 462);
    control.SetImageList(&list);
    SurfacePtr painted = Solid(621, 462, 0);
    control.Paint(painted.get(), 0, 0, 1);
    EXPECT_TRUE(list.Find(0, 1, 0, 0).packed);
    EXPECT_FALSE(list.At(0).surface) << "the list holds the picture only packed";
    EXPECT_TRUE(control.Opaque(1));
    SurfacePtr want = Solid(621, 462, 0);
    Blit(background.get(), nullptr, want.get(), 0, 0);
    EXPECT_TRUE(Same(want.get(), painted.get()));
    SDL_Surface* again = list.Get(0);
    ASSERT_TRUE(again);
    SurfacePtr back = AdoptSurface(SDL_ConvertSurfaceFormat(again, SDL_PIXELFORMAT_RGB888, 0));
    EXPECT_TRUE(Same(want.get(), back.get()));

    // At 2x the picture drawn for 2x is packed, and the 1x pictures are never decoded for it.
    ImageList drawn;
    int loads = 0;
    drawn.SetLoader([&loads](ImageList& l) { ++loads, l.Append(); });
    drawn.SetScaledSource([](int scale) { return std::vector<SurfacePtr>{Gradient(621 * scale, 462 * scale, SDL_PIXELFORMAT_BGR24)}; });
    EXPECT_TRUE(drawn.Find(0, 2, 0, 0).packed);
    EXPECT_EQ(loads, 0);
}

} // namespace
} // namespace zv::ui::test


namespace zv::ui::test {
namespace {

// A list's ready picture stands in for an empty position: drawn packed at the scales it was made for and at the
// place whose size it has, unpacked when asked for as a picture, and given up once the list changes.
TEST_F(PackedPictureTest, AReadyPictureStandsInForAnEmptyPositionUntilTheListChanges) {
    const auto one = PackedPicture::Pack(Gradient(621, 462, SDL_PIXELFORMAT_BGR24).get());
    const auto two = PackedPicture::Pack(Gradient(1242, 924, SDL_PIXELFORMAT_BGR24).get());
    ASSERT_TRUE(one && two);
    ImageList list;
    list.SetLoader([](ImageList& l) { l.Append(); });
    int asked = 0;
    list.SetScaledSource([&asked](int) { ++asked; return std::vector<SurfacePtr>{nullptr}; });
    list.SetReadySource([&](int position, int quarters) { return position != 0 ? nullptr : quarters == 4 ? one : quarters == 8 ? two : nullptr; });
    EXPECT_EQ(list.Find(0, 1, 0, 0).packed, one.get());
    EXPECT_EQ(list.Find(0, 2, 3, 5).packed, two.get());
    EXPECT_EQ(asked, 0) << "nothing decoded for it";
    ASSERT_TRUE(list.Get(0));
    EXPECT_EQ(list.Get(0)->w, 621);
    ASSERT_TRUE(list.Get(0, 2));
    EXPECT_EQ(list.Get(0, 2)->w, 1242);
    // None made for 1.5: reduced from the 2x one as any picture is.
    const ImageList::Shown reduced = list.Find(0, Scale::FromQuarters(6), 0, 0);
    ASSERT_TRUE(reduced);
    EXPECT_NE(reduced.packed, two.get());
    EXPECT_EQ(reduced.Width(), 932);
    list.SetSurface(0, Solid(10, 10, 0x123456));
    EXPECT_FALSE(list.Find(0, 1, 0, 0).packed) << "a picture of its own now";
    EXPECT_EQ(list.Get(0)->w, 10);
}

// A packed picture kept in the program as bytes reads back as the same picture; bytes that are not such a picture
// are refused rather than read past their end.
TEST_F(PackedPictureTest, ItsBytesReadBackAsTheSamePictureAndDamagedOnesAreRefused) {
    const SurfacePtr picture = Gradient(621, 462, SDL_PIXELFORMAT_BGR24);
    const auto packed = PackedPicture::Pack(picture.get());
    ASSERT_TRUE(packed);
    const std::vector<std::uint8_t> bytes = packed->Bytes();
    const auto back = PackedPicture::Over(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    EXPECT_TRUE(Same(AdoptSurface(SDL_ConvertSurfaceFormat(back->Unpack().get(), SDL_PIXELFORMAT_RGB888, 0)).get(),
                     AdoptSurface(SDL_ConvertSurfaceFormat(picture.get(), SDL_PIXELFORMAT_RGB888, 0)).get()));
    const auto word = [](std::vector<std::uint8_t> b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        return b;
    };
    const std::size_t bands = bytes[16] | bytes[17] << 8;
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } damaged[] = {
        {"nothing", {}},
        {"the head cut short", {bytes.begin(), bytes.begin() + 12}},
        {"the last band cut short", {bytes.begin(), bytes.end() - 1}},
        {"another signature", word(bytes, 0, 0x4B50565Bu)},
        {"no width", word(bytes, 4, 0)},
        {"a height of another count of bands", word(bytes, 8, 2000)},
        {"an indexed format", word(bytes, 12, SDL_PIXELFORMAT_INDEX8)},
        {"one band less", word(bytes, 16, static_cast<std::uint32_t>(bands - 1))},
        {"a band ending before it begins", word(bytes, 24 + 4, 0xFFFFFFu)},
    };
    for (const auto& d : damaged) EXPECT_FALSE(PackedPicture::Over(d.bytes.data(), d.bytes.size())) << d.what;
}

// A small picture kept as bytes, packed or plain, reads back with its pixels, format and blending; damaged bytes
// are refused.
TEST_F(PackedPictureTest, ASmallPictureAsBytesReadsBackAndDamagedOnesAreRefused) {
    const SurfacePtr picture = Gradient(37, 11, SDL_PIXELFORMAT_ARGB8888);
    SDL_SetSurfaceBlendMode(picture.get(), SDL_BLENDMODE_BLEND);
    const std::vector<std::uint8_t> packed = PictureBytes(picture.get()), plain = PlainPictureBytes(picture.get());
    using Reader = SurfacePtr (*)(const std::uint8_t*, std::size_t);
    for (const auto& [bytes, read, other] : {std::tuple{packed, Reader{PictureFromBytes}, Reader{PictureOver}},
                                             std::tuple{plain, Reader{PictureOver}, Reader{PictureFromBytes}}}) {
        const SurfacePtr back = read(bytes.data(), bytes.size());
        ASSERT_TRUE(back);
        EXPECT_EQ(back->format->format, picture->format->format);
        SDL_BlendMode mode = SDL_BLENDMODE_NONE;
        SDL_GetSurfaceBlendMode(back.get(), &mode);
        EXPECT_EQ(mode, SDL_BLENDMODE_BLEND);
        EXPECT_TRUE(Same(back.get(), picture.get()));
        EXPECT_EQ(PictureBytesSize(bytes.data(), bytes.size()).x, 37);
        EXPECT_FALSE(other(bytes.data(), bytes.size())) << "read as the other kind";
        std::vector<std::uint8_t> wide = bytes, cut(bytes.begin(), bytes.end() - 1), blended = bytes;
        wide[4] = 38;
        blended[16] = 9;
        for (const auto& d : {cut, wide, blended, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 12)})
            EXPECT_FALSE(read(d.data(), d.size()));
    }
}

// A list of plain pictures reads back over its bytes, an empty picture as none; damaged bytes are refused.
TEST_F(PackedPictureTest, AListOfPlainPicturesReadsBackAndDamagedOnesAreRefused) {
    // A three-byte picture of an odd width first: the next one's pixels still begin on a word.
    const SurfacePtr odd = Gradient(5, 3, SDL_PIXELFORMAT_BGR24), a = Gradient(5, 3, SDL_PIXELFORMAT_RGB888),
                     b = Gradient(7, 2, SDL_PIXELFORMAT_ARGB8888);
    const std::vector<std::uint8_t> bytes = PlainPictureListBytes({odd.get(), a.get(), nullptr, b.get()});
    const auto back = PicturesOver(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 4u);
    ASSERT_TRUE((*back)[0]);
    EXPECT_EQ((*back)[0]->format->format, SDL_PIXELFORMAT_BGR24);
    EXPECT_TRUE((*back)[1] && Same((*back)[1].get(), a.get()));
    EXPECT_FALSE((*back)[2]);
    EXPECT_TRUE((*back)[3] && Same((*back)[3].get(), b.get()));
    auto word = [&](std::size_t at, std::uint32_t v) {
        std::vector<std::uint8_t> d = bytes;
        for (int i = 0; i < 4; ++i) d[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        return d;
    };
    std::vector<std::uint8_t> longer = bytes;
    longer.insert(longer.end(), 4, 0);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } damaged[] = {
        {"another signature", word(0, 0x4C52565Bu)},
        {"more pictures than it holds", word(4, 5)},
        {"a count past any list", word(4, 0xFFFFFFFFu)},
        {"a picture running past the end", word(8, 0xFFFFFF00u)},
        {"the last picture cut short", {bytes.begin(), bytes.end() - 4}},
        {"bytes left over", longer},
    };
    for (const auto& d : damaged) EXPECT_FALSE(PicturesOver(d.bytes.data(), d.bytes.size())) << d.what;
}

} // namespace
} // namespace zv::ui::test
