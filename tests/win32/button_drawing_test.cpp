// Drawing the round buttons: the composed square, pixel for pixel, the sounds of a press
// and a release, the palette on a 256-colour display, and that nothing is left behind.
#include <gtest/gtest.h>

#include "buttons/button_table.h"
#include "buttons/draw_round_button.h"
#include "live_launcher.h"

namespace {

class ButtonDrawing : public LiveLauncher {
 protected:
  // Esc leaves as EXIT does, at a button or at the bare launcher window: the closing
  // transition (its sound, the halves off the screen), then the launcher closes.
  void ExpectEscClosesAsExitDoes(const char* esc);
};
class ButtonDrawingDepth8 : public LiveLauncher {};

DRAWITEMSTRUCT Request(HWND button, UINT action, UINT itemState, HDC dc) {
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = GetDlgCtrlID(button);
  item.itemAction = action;
  item.itemState = itemState;
  item.hwndItem = button;
  item.hDC = dc;
  GetClientRect(button, &item.rcItem);
  return item;
}

// How many pixels differ, and the first of them.
std::string Difference(const Square& want, const Square& got) {
  int wrong = 0;
  std::ostringstream first;
  for (int i = 0; i < kSquare * kSquare; ++i) {
    if (want[i] == got[i]) continue;
    if (wrong++ == 0)
      first << " first at (" << i % kSquare << "," << i / kSquare << "): " << std::hex << got[i]
            << " instead of " << want[i];
  }
  return wrong == 0 ? "same" : std::to_string(wrong) + " pixels differ;" + first.str();
}

struct FrameRequest {
  const char* what;
  UINT action, itemState;
  bool hot;  // the button is `hotButtonId`
  int frame;
};
const FrameRequest kFrameRequests[] = {
    {"a repaint", ODA_DRAWENTIRE, 0, false, 0},
    {"gaining the focus", ODA_FOCUS, ODS_FOCUS, false, 1},
    {"a repaint of the hot button", ODA_DRAWENTIRE, 0, true, 1},
    {"a press", ODA_SELECT, ODS_SELECTED | ODS_FOCUS, true, 2},
};

TEST_F(ButtonDrawing, EachFrameShowsThePictureOnItsEdgeAndTheFaceInside) {
  SquareSurface surface;
  for (const ButtonPlace& place : kButtonPlaces) {
    for (const FrameRequest& r : kFrameRequests) {
      state.hotButtonId = r.hot ? place.id : 0;
      surface.Fill(0x00FF00);
      DrawRoundButton(Request(Button(place.id), r.action, r.itemState, surface.dc()));
      EXPECT_EQ("same", Difference(ExpectedSquare(place, r.frame), surface.Pixels()))
          << place.id << ", " << r.what;
    }
  }
}

TEST_F(ButtonDrawing, AMissingMaskOrFaceLeavesThePicturesOwnPixels) {
  SquareSurface surface;
  const ButtonPlace& place = kButtonPlaces[2];
  HWND button = Button(place.id);
  const HBITMAP mask = maskRecord.faceBitmap, face = buttonTable[2].faceBitmap;
  struct {
    const char* what;
    HBITMAP mask, face;
    UINT ctlId;
  } const cases[] = {
      {"no mask", nullptr, face, 203},
      {"no face", mask, nullptr, 203},
      {"an id outside the table", mask, face, 205},
  };
  for (const auto& c : cases) {
    maskRecord.faceBitmap = c.mask;
    buttonTable[2].faceBitmap = c.face;
    for (const FrameRequest& r : kFrameRequests) {
      DRAWITEMSTRUCT item = Request(button, r.action, r.itemState, surface.dc());
      item.CtlID = c.ctlId;
      surface.Fill(0x00FF00);
      DrawRoundButton(item);
      EXPECT_EQ("same", Difference(PictureSquare(place), surface.Pixels())) << c.what << ", " << r.what;
    }
  }
  maskRecord.faceBitmap = mask;
  buttonTable[2].faceBitmap = face;
}

struct PressStep {
  std::string event;
  std::vector<std::string> effects;
};

// The button class reports every change of the pressed state; only those sound, and only a
// change to pressed draws the pressed frame.
TEST_F(ButtonDrawing, PressesAndReleasesSoundAndDrawAsTheyHappen) {
  Do("mouse 202");
  PumpMessages();
  const PressStep steps[] = {
      {"press 202", {"play 300", "draw 202 select pressed"}},
      {"repaint 202", {"draw 202 entire highlighted"}},  // held down, yet not pressed
      {"drag-off 202", {"play 301", "draw 202 select highlighted"}},
      {"drag-on 202", {"play 300", "draw 202 select pressed"}},
      {"drag-off 202", {"play 301", "draw 202 select highlighted"}},
      {"release-off 202", {}},
      {"space-down 202", {"play 300", "draw 202 select pressed"}},
      {"space-repeat 202", {}},  // held: nothing more, however long
      {"enter-repeat 202", {}},
  };
  EffectRecorder recorder(launcher_);
  for (const PressStep& step : steps) {
    Do(step.event);
    ExpectEffects(step.effects, recorder.Take(), step.event);
  }
  PumpMessages();
  EXPECT_EQ("202 pressed", LitButtons());
}

TEST_F(ButtonDrawing, AClickOnExitSoundsThenClosesTheLauncher) {
  Do("mouse 204");
  PumpMessages();
  EffectRecorder recorder(launcher_);
  Do("press 204");
  ExpectEffects({"play 300", "draw 204 select pressed"}, recorder.Take(), "press 204");
  Do("release 204");
  std::vector<std::string> effects = recorder.Take();
  ASSERT_LE(3u, effects.size());
  effects.resize(3);
  ExpectEffects({"play 301", "draw 204 select highlighted", "play 305"}, effects,
                "release 204: its sounds, then the closing transition");
  EXPECT_TRUE(PumpMessages()) << "the launcher closed";
  EXPECT_FALSE(IsWindow(launcher_));
}

void ButtonDrawing::ExpectEscClosesAsExitDoes(const char* esc) {
  MoveRecorder moves;
  seam::soundLog.clear();
  Do(esc);
  EXPECT_EQ((std::vector<std::string>{"stop", "play 305", "stop"}), seam::soundLog) << esc;
  ASSERT_FALSE(moves.MovesOf(0).empty()) << esc;
  EXPECT_EQ(-180, moves.MovesOf(0).back().y) << esc << ": the upper half left the screen";
  EXPECT_TRUE(PumpMessages()) << esc << ": the launcher closed";
  EXPECT_FALSE(IsWindow(state.pieceWindows[0])) << esc;
}

TEST_F(ButtonDrawing, EscAtAButtonClosesAsExitDoes) { ExpectEscClosesAsExitDoes("esc 203"); }

TEST_F(ButtonDrawing, EscAtTheLauncherWindowClosesAsExitDoes) {
  Do("mouse 203");
  Do("mouse picture");  // the focus goes to the launcher window itself
  ExpectEscClosesAsExitDoes("esc launcher");
}

// The device pixels of an 8-bit bitmap, as the raster operations see them.
class DeviceImage {
 public:
  explicit DeviceImage(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    rowBytes_ = info.bmWidthBytes;
    bits_.resize(rowBytes_ * info.bmHeight);
    GetBitmapBits(bitmap, static_cast<LONG>(bits_.size()), bits_.data());
  }
  uint8_t At(int x, int y) const { return bits_[y * rowBytes_ + x]; }

 private:
  std::vector<uint8_t> bits_;
  int rowBytes_;
};

// How many device pixels of a drawn square aren't the picture's on the top row and the left
// column and the face's frame elsewhere.
int DevicePixelsOff(const DeviceImage& seen, const DeviceImage& picture, const DeviceImage& face,
                    const ButtonPlace& place, int frame) {
  int wrong = 0;
  for (int j = 0; j < kSquare; ++j) {
    for (int i = 0; i < kSquare; ++i) {
      const uint8_t want = (i == 0 || j == 0) ? picture.At(place.x + i, place.y + j)
                                              : face.At(frame * kSquare + i, j);
      wrong += seen.At(i, j) != want;
    }
  }
  return wrong;
}

// How many of the picture's colours the system palette holds.
int PictureColoursInSystemPalette() {
  PALETTEENTRY picture[256], system[256];
  GetPaletteEntries(state.palette, 0, 256, picture);
  HDC screen = GetDC(nullptr);
  GetSystemPaletteEntries(screen, 0, 256, system);
  ReleaseDC(nullptr, screen);
  int found = 0;
  for (const PALETTEENTRY& p : picture) {
    for (const PALETTEENTRY& s : system) {
      if (p.peRed == s.peRed && p.peGreen == s.peGreen && p.peBlue == s.peBlue) {
        ++found;
        break;
      }
    }
  }
  return found;
}

// Wine shows a 256-colour display with few distinct colours, so the composition is checked
// in device pixels, which the raster operations combine unchanged.
TEST_F(ButtonDrawingDepth8, ComposesInDevicePixelsAndLeavesThePaletteSelected) {
  ASSERT_EQ(256, state.displayColours);
  ASSERT_NE(nullptr, state.palette);
  HDC screen = GetDC(nullptr);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP targetBits = CreateCompatibleBitmap(screen, kSquare, kSquare);
  ReleaseDC(nullptr, screen);
  HGDIOBJ kept = SelectObject(target, targetBits);
  const DeviceImage picture(state.background);
  for (int row = 0; row < 4; ++row) {
    const ButtonPlace& place = kButtonPlaces[row];
    const DeviceImage face(buttonTable[row].faceBitmap);
    for (const FrameRequest& r : kFrameRequests) {
      state.hotButtonId = r.hot ? place.id : 0;
      DrawRoundButton(Request(Button(place.id), r.action, r.itemState, target));
      EXPECT_EQ(0, DevicePixelsOff(DeviceImage(targetBits), picture, face, place, r.frame))
          << place.id << ", " << r.what;
      EXPECT_EQ(state.palette, GetCurrentObject(target, OBJ_PAL)) << "left selected";
    }
  }
  SelectObject(target, kept);
  DeleteObject(targetBits);
  DeleteDC(target);
}

void Realize(HDC dc, HPALETTE palette) {
  HPALETTE kept = SelectPalette(dc, palette, FALSE);
  RealizePalette(dc);
  SelectPalette(dc, kept, FALSE);
}

// Fills the system palette with 256 colours of a palette of its own, realized in the
// foreground at `window`. Wine skips realizing the palette it realized last, so the
// foreign palette is realized last of all, away from the screen.
void TakeOverTheSystemPalette(HWND window) {
  struct {
    WORD version, count;
    PALETTEENTRY entries[256];
  } foreign = {0x300, 256, {}};
  for (int i = 0; i < 256; ++i)
    foreign.entries[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7), 0};
  HPALETTE palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&foreign));
  HDC dc = GetDC(window);
  Realize(dc, palette);
  ReleaseDC(window, dc);
  HDC memory = CreateCompatibleDC(nullptr);
  Realize(memory, palette);
  DeleteDC(memory);
  DeleteObject(palette);
}

// Realizing a palette in the foreground brings its colours into the system palette.
TEST_F(ButtonDrawingDepth8, TheDrawRealizesThePicturesPaletteInTheButtonsDC) {
  ASSERT_NE(nullptr, state.palette);
  TakeOverTheSystemPalette(launcher_);
  ASSERT_GT(32, PictureColoursInSystemPalette()) << "the picture's colours were pushed out";
  HWND button = Button(201);
  HDC dc = GetDC(button);
  DrawRoundButton(Request(button, ODA_DRAWENTIRE, 0, dc));
  EXPECT_EQ(state.palette, GetCurrentObject(dc, OBJ_PAL)) << "left selected";
  ReleaseDC(button, dc);
  EXPECT_LT(128, PictureColoursInSystemPalette()) << "the picture's colours are back";
}

}  // namespace
