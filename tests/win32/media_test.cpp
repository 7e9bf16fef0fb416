// The sound bank and the bitmap loader against the resources linked into this program.
#include <gtest/gtest.h>

#include "launcher_fixture.h"
#include "media/bitmap_loader.h"
#include "media/scaled_art.h"
#include "media/sound_bank.h"

namespace {

constexpr int kSize24Bit = 900, kTruncated = 901, kOneBit = 902, kMissing = 999;
// The mask with biClrUsed 256, with biSize 0x7FFFFF00, with biPlanes 2; a picture with a
// 124-byte header.
constexpr int kClrUsed256 = 903, kHugeHeader = 904, kTwoPlanes = 905, kV5Header = 906;

void PrepareMedia() {
  seam::Install();
  state.instance = GetModuleHandleA(nullptr);
  ASSERT_NE(0, SurveyDisplay());
}

HPALETTE MakeAnyPalette() {
  struct {
    WORD version, count;
    PALETTEENTRY entries[1];
  } one = {0x300, 1, {{1, 2, 3, 0}}};
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&one));
}

TEST(SoundBank, EveryNewSoundCutsOffTheOneBefore) {
  PrepareMedia();
  LoadSounds();
  for (int i = 0; i < kSoundCount; ++i) EXPECT_NE(nullptr, state.sounds[i]) << 300 + i;
  PlaySoundId(303);
  PlaySoundId(304);
  PlaySoundId(302);
  PlaySoundId(302);
  EXPECT_EQ((std::vector<std::string>{"stop", "play 303", "stop", "play 304", "stop", "play 302",
                                      "stop", "play 302"}),
            seam::soundLog);
}

TEST(SoundBank, AMissingSoundIsSilentAndLeavesThePlayingOneAlone) {
  PrepareMedia();
  LoadSounds();
  state.sounds[2] = nullptr;  // as if sound 302 were not in the program
  PlaySoundId(303);
  PlaySoundId(302);
  EXPECT_EQ((std::vector<std::string>{"stop", "play 303"}), seam::soundLog);
}

TEST(SoundBank, EachSoundIsACompleteWaveImage) {
  PrepareMedia();
  LoadSounds();
  for (int i = 0; i < kSoundCount; ++i) {
    const char* image = static_cast<const char*>(LockResource(state.sounds[i]));
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(0, memcmp(image, "RIFF", 4));
    EXPECT_EQ(0, memcmp(image + 8, "WAVEfmt ", 8)) << 300 + i;
  }
}

TEST(BitmapLoader, LoadsThePictureWithItsSize) {
  PrepareMedia();
  int width = -1, height = -1;
  HPALETTE slot = nullptr;
  HBITMAP picture = LoadBitmapResource(199, &slot, &width, &height);
  ASSERT_NE(nullptr, picture);
  EXPECT_EQ(360, width);
  EXPECT_EQ(360, height);
  BITMAP info;
  ASSERT_EQ(static_cast<int>(sizeof info), GetObjectA(picture, sizeof info, &info));
  EXPECT_EQ(360, info.bmWidth);
  EXPECT_EQ(360, info.bmHeight);
  DeleteObject(picture);
  DeleteObject(slot);
}

TEST(BitmapLoader, DeletesTheSlotsOldPaletteEvenWhenTheBitmapIsMissing) {
  PrepareMedia();
  HPALETTE old = MakeAnyPalette();
  HPALETTE slot = old;
  int width = -7, height = -7;
  EXPECT_EQ(nullptr, LoadBitmapResource(kMissing, &slot, &width, &height));
  EXPECT_EQ(nullptr, slot);
  EXPECT_EQ(0u, GetObjectType(old)) << "the old palette is gone";
  EXPECT_EQ(-7, width) << "untouched";
  EXPECT_EQ(-7, height);
}

TEST(BitmapLoader, TreatsMalformedBitmapsAsMissing) {
  PrepareMedia();
  for (int id : {kSize24Bit, kTruncated, kClrUsed256, kHugeHeader, kTwoPlanes, kV5Header}) {
    int width = -7, height = -7;
    HPALETTE slot = nullptr;
    EXPECT_EQ(nullptr, LoadBitmapResource(id, &slot, &width, &height)) << id;
    EXPECT_EQ(-7, width) << id;
    EXPECT_EQ(nullptr, slot) << id;
  }
  int width = 0, height = 0;
  HBITMAP oneBit = LoadBitmapResource(kOneBit, nullptr, &width, &height);
  EXPECT_NE(nullptr, oneBit) << "a well-formed 1-bit bitmap loads";
  EXPECT_EQ(8, width);
  DeleteObject(oneBit);
}

// Enlarged (1x art at 200 %), a frame is the art's top rows, not the black row below it.
TEST(BitmapLoader, ScaledFramesAreTheArtsTopRows) {
  PrepareMedia();
  int width = 0, height = 0;
  HBITMAP scaled = LoadArtAtDpi(907, 192, 1, 0, nullptr, &width, &height);
  ASSERT_NE(nullptr, scaled);
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ kept = SelectObject(dc, scaled);
  EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 4, 7)) << width << "x" << height;
  SelectObject(dc, kept);
  DeleteDC(dc);
  DeleteObject(scaled);
}

TEST(BitmapLoader, MakesNoPaletteOnATrueColourDisplay) {
  PrepareMedia();
  ASSERT_NE(256, state.displayColours);
  HPALETTE slot = nullptr;
  int width = 0, height = 0;
  HBITMAP picture = LoadBitmapResource(199, &slot, &width, &height);
  EXPECT_NE(nullptr, picture);
  EXPECT_EQ(nullptr, slot);
  DeleteObject(picture);
}

TEST(BitmapLoaderDepth8, MakesThePicturesPaletteOnAPaletteDisplay) {
  PrepareMedia();
  ASSERT_EQ(256, state.displayColours) << "the test display is a 256-colour palette display";
  HPALETTE slot = nullptr;
  int width = 0, height = 0;
  HBITMAP picture = LoadBitmapResource(199, &slot, &width, &height);
  ASSERT_NE(nullptr, picture);
  ASSERT_NE(nullptr, slot);
  EXPECT_EQ(256u, GetPaletteEntries(slot, 0, 0, nullptr));
  PALETTEENTRY entries[256];
  ASSERT_EQ(256u, GetPaletteEntries(slot, 0, 256, entries));
  EXPECT_EQ(0, entries[0].peRed + entries[0].peGreen + entries[0].peBlue) << "entry 0 is black";
  EXPECT_EQ(128, entries[1].peRed) << "entry 1 is dark red: red and blue not swapped";
  EXPECT_EQ(0, entries[1].peBlue);
  EXPECT_EQ(255, entries[12].peBlue) << "entry 12 is blue";
  EXPECT_EQ(0, entries[12].peRed);

  HPALETTE maskSlot = nullptr;
  HBITMAP mask = LoadBitmapResource(200, nullptr, &width, &height);
  EXPECT_NE(nullptr, mask);
  EXPECT_EQ(nullptr, maskSlot) << "the mask is loaded without a palette";
  HPALETTE oneBitSlot = nullptr;
  HBITMAP oneBit = LoadBitmapResource(kOneBit, &oneBitSlot, &width, &height);
  EXPECT_NE(nullptr, oneBit);
  EXPECT_EQ(2u, GetPaletteEntries(oneBitSlot, 0, 0, nullptr)) << "only the table that is there";
  DeleteObject(oneBit);
  DeleteObject(oneBitSlot);
  DeleteObject(mask);
  DeleteObject(picture);

  // At 150 % the double-size picture is reduced into a new bitmap with its own palette.
  HBITMAP scaled = LoadArtAtDpi(199, 144, 1, 0, &slot, &width, &height);
  ASSERT_NE(nullptr, scaled);
  EXPECT_EQ(540, width);
  EXPECT_EQ(540, height);
  EXPECT_EQ(256u, GetPaletteEntries(slot, 0, 0, nullptr));
  DeleteObject(scaled);
  DeleteObject(slot);
}

TEST(BlitWithPalette, CopiesAndLeavesThePaletteSelected) {
  PrepareMedia();
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP sourceBits = CreateCompatibleBitmap(screen, 4, 4);
  HBITMAP targetBits = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ oldSource = SelectObject(source, sourceBits);
  HGDIOBJ oldTarget = SelectObject(target, targetBits);
  SetPixel(source, 1, 1, RGB(255, 0, 0));
  HGDIOBJ defaultPalette = GetCurrentObject(target, OBJ_PAL);

  BlitWithPalette(target, 0, 0, 4, 4, source, 0, 0, nullptr, SRCCOPY);
  EXPECT_EQ(RGB(255, 0, 0), GetPixel(target, 1, 1));
  EXPECT_EQ(defaultPalette, GetCurrentObject(target, OBJ_PAL)) << "no palette: only a copy";

  HPALETTE palette = MakeAnyPalette();
  BlitWithPalette(target, 0, 0, 4, 4, source, 0, 0, palette, SRCCOPY);
  EXPECT_EQ(palette, GetCurrentObject(target, OBJ_PAL));

  SelectPalette(target, static_cast<HPALETTE>(defaultPalette), FALSE);
  DeleteObject(palette);
  SelectObject(source, oldSource);
  SelectObject(target, oldTarget);
  DeleteObject(sourceBits);
  DeleteObject(targetBits);
  DeleteDC(source);
  DeleteDC(target);
  ReleaseDC(nullptr, screen);
}

}  // namespace
