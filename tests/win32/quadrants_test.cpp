// The quadrant transitions with real piece windows on the 640x480 display. Rows 0 and 1
// are called directly, whatever effect this build selects; the clock and the slow-machine
// flag come from the seam, so each run takes its full count of steps.
#include <gtest/gtest.h>

#include <string>

#include "launcher_fixture.h"
#include "media/bitmap_loader.h"
#include "media/resource_ids.h"
#include "transitions/transition_table.h"

namespace {

constexpr int kHalf = 180;  // half of the 360 x 360 picture and window

// What the start-up does before the transition: load the picture.
void LoadPicture() {
  state.background = LoadBitmapResource(kPictureId, &state.palette, &state.backgroundWidth,
                                        &state.backgroundHeight);
  ASSERT_NE(nullptr, state.background);
}

// The piece's quadrant: right pieces 1 and 3, lower pieces 2 and 3.
int QuadrantX(int piece) { return piece == 1 || piece == 3 ? kHalf : 0; }
int QuadrantY(int piece) { return piece >= 2 ? kHalf : 0; }

std::string Path(const std::vector<POINT>& points) {
  std::string text;
  for (const POINT& p : points) text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ") ";
  return text;
}

// `count` steps of `step` from `from`, each position listed.
std::vector<POINT> Walk(POINT from, POINT step, int count) {
  std::vector<POINT> points;
  for (int k = 1; k <= count; ++k) points.push_back(POINT{from.x + k * step.x, from.y + k * step.y});
  return points;
}

// True when `window`'s region covers exactly the ellipse of the 360 x 360 window placed at
// (ox, oy) and cut to (0, 0, clipW, clipH).
bool RegionIsClippedEllipse(HWND window, int ox, int oy, int clipW, int clipH) {
  HRGN actual = CreateRectRgn(0, 0, 0, 0);
  HRGN expected = CreateEllipticRgn(ox, oy, 360 + ox, 360 + oy);
  HRGN clip = CreateRectRgn(0, 0, clipW, clipH);
  CombineRgn(expected, expected, clip, RGN_AND);
  // The window manager may band the rectangles differently: compare the areas.
  const bool same = GetWindowRgn(window, actual) != ERROR &&
                    CombineRgn(clip, actual, expected, RGN_XOR) == NULLREGION;
  DeleteObject(clip);
  DeleteObject(expected);
  DeleteObject(actual);
  return same;
}

bool ShowsItsQuadrant(int piece) {
  return RegionIsClippedEllipse(state.pieceWindows[piece], -QuadrantX(piece), -QuadrantY(piece),
                                kHalf, kHalf);
}

// One open and close of a quadrant effect on 640 x 480, from the worked examples.
struct QuadrantRun {
  int row;
  int slow;
  POINT starts[4];
  POINT openSteps[4];  // the move of each piece per step of the open
  int openCount;
  POINT closeSteps[4];
  int closeCount;
};

const QuadrantRun kCornerFast = {kCornerQuadrants, 0,
                                 {{0, 0}, {460, 0}, {0, 300}, {460, 300}},
                                 {{12, 9}, {-12, 9}, {12, -9}, {-12, -9}}, 6,
                                 {{-12, -9}, {12, -9}, {-12, 9}, {12, 9}}, 27};
const QuadrantRun kCornerSlow = {kCornerQuadrants, 1,
                                 {{0, 0}, {460, 0}, {0, 300}, {460, 300}},
                                 {{25, 19}, {-25, 19}, {25, -19}, {-25, -19}}, 3,
                                 {{-25, -19}, {25, -19}, {-25, 19}, {25, 19}}, 13};
const QuadrantRun kCrossingFast = {kCrossingQuadrants, 0,
                                   {{460, 300}, {0, 300}, {460, 0}, {0, 0}},
                                   {{-16, -12}, {16, -12}, {-16, 12}, {16, 12}}, 27,
                                   {{-16, -12}, {16, -12}, {-16, 12}, {16, 12}}, 20};
const QuadrantRun kCrossingSlow = {kCrossingQuadrants, 1,
                                   {{460, 300}, {0, 300}, {460, 0}, {0, 0}},
                                   {{-25, -19}, {25, -19}, {-25, 19}, {25, 19}}, 18,
                                   {{-25, -19}, {25, -19}, {-25, 19}, {25, 19}}, 13};

void CheckCreate(const QuadrantRun& run) {
  ASSERT_EQ(1, transitionTable[run.row].create());
  HWND launcher = state.pieceWindows[0];
  for (int i = 0; i < 4; ++i) {
    HWND piece = state.pieceWindows[i];
    ASSERT_NE(nullptr, piece) << "piece " << i;
    const RECT r = WindowRectOf(piece);
    EXPECT_EQ(Path({run.starts[i]}), Path({POINT{r.left, r.top}})) << "piece " << i;
    EXPECT_EQ(360, r.right - r.left);
    EXPECT_EQ(360, r.bottom - r.top);
    EXPECT_FALSE(IsWindowVisible(piece)) << "piece " << i << " starts hidden";
    EXPECT_EQ(i, GetWindowLongPtrA(piece, GWLP_USERDATA));
    if (i > 0) {
      EXPECT_EQ(launcher, GetWindow(piece, GW_OWNER)) << "piece " << i;
    }
  }
}

void CheckOpen(const QuadrantRun& run) {
  MoveRecorder moves;
  transitionTable[run.row].animate(1);
  for (int i = 0; i < 4; ++i) {
    std::vector<POINT> expected = Walk(run.starts[i], run.openSteps[i], run.openCount);
    if (i == 0) expected.push_back(POINT{140, 60});  // the launcher takes the pieces' place
    EXPECT_EQ(Path(expected), Path(moves.MovesOf(i))) << "open, piece " << i;
  }
  HWND launcher = state.pieceWindows[0];
  const RECT r = WindowRectOf(launcher);
  EXPECT_EQ(Path({POINT{140, 60}, POINT{500, 420}}), Path({POINT{r.left, r.top}, POINT{r.right, r.bottom}}));
  EXPECT_TRUE(IsWindowVisible(launcher));
  EXPECT_TRUE(RegionIsClippedEllipse(launcher, 0, 0, 360, 360)) << "the whole ellipse";
  for (int i = 1; i < 4; ++i) {
    EXPECT_TRUE(IsWindow(state.pieceWindows[i])) << "piece " << i << " kept for the close";
    EXPECT_FALSE(IsWindowVisible(state.pieceWindows[i])) << "piece " << i << " hidden";
    EXPECT_TRUE(ShowsItsQuadrant(i)) << "piece " << i;
  }
  EXPECT_EQ((std::vector<std::string>{"stop", "play 303", "stop", "play 304"}), seam::soundLog);
}

void CheckClose(const QuadrantRun& run) {
  HWND pieces[4];
  std::copy(state.pieceWindows, state.pieceWindows + 4, pieces);
  seam::soundLog.clear();
  MoveRecorder moves;
  transitionTable[run.row].animate(0);
  for (int i = 0; i < 4; ++i) {
    // Each piece first goes over its quadrant of the launcher window at (140, 60).
    const POINT place = {140 + QuadrantX(i), 60 + QuadrantY(i)};
    std::vector<POINT> expected = Walk(place, run.closeSteps[i], run.closeCount);
    if (i > 0) expected.insert(expected.begin(), place);
    EXPECT_EQ(Path(expected), Path(moves.MovesOf(i))) << "close, piece " << i;
  }
  EXPECT_TRUE(IsWindow(pieces[0])) << "the caller closes the launcher window";
  EXPECT_TRUE(ShowsItsQuadrant(0)) << "the launcher window was cut to its quadrant";
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(IsWindow(pieces[i])) << "piece " << i << " destroyed";
  EXPECT_EQ((std::vector<std::string>{"stop", "play 305"}), seam::soundLog);
}

void CheckOpenAndClose(const QuadrantRun& run) {
  PrepareLauncher();
  ASSERT_EQ(640, state.screenWidth);
  ASSERT_EQ(480, state.screenHeight);
  seam::slowMachine = run.slow;
  ASSERT_NO_FATAL_FAILURE(LoadPicture());
  ASSERT_NO_FATAL_FAILURE(CheckCreate(run));
  CheckOpen(run);
  CheckClose(run);
}

TEST(Quadrants, CornerOpensFromTheCornersAndClosesBackOut) { CheckOpenAndClose(kCornerFast); }
TEST(Quadrants, CornerOnASlowMachine) { CheckOpenAndClose(kCornerSlow); }
TEST(Quadrants, CrossingOpensAcrossTheMiddleAndClosesOutward) { CheckOpenAndClose(kCrossingFast); }
TEST(Quadrants, CrossingOnASlowMachine) { CheckOpenAndClose(kCrossingSlow); }

TEST(Quadrants, TimeLimitEndsEachRunAfterTheStepThatPassesIt) {
  PrepareLauncher();
  seam::tickAdvance = 1000;  // after step n the clock reads 1000 n past the start
  ASSERT_NO_FATAL_FAILURE(LoadPicture());
  ASSERT_EQ(1, transitionTable[kCrossingQuadrants].create());
  MoveRecorder moves;
  transitionTable[kCrossingQuadrants].animate(1);
  EXPECT_EQ("(444,288) (428,276) (412,264) (140,60) ", Path(moves.MovesOf(0)));
  EXPECT_TRUE(IsWindowVisible(state.pieceWindows[0]));
  EXPECT_FALSE(IsWindowVisible(state.pieceWindows[3]));
  HWND lastPiece = state.pieceWindows[3];
  transitionTable[kCrossingQuadrants].animate(0);
  EXPECT_EQ("(16,12) (32,24) (48,36) (320,240) (336,252) (352,264) (368,276) ",
            Path(moves.MovesOf(3)))
      << "three steps of the open, then the place over its quadrant and three of the close";
  EXPECT_FALSE(IsWindow(lastPiece));
}

// A screen barely taller than the picture: the corner open's condition fails before the
// first step, and the launcher still ends up shown in the middle.
TEST(Quadrants, CornerOpenWithoutAStepStillShowsTheLauncher) {
  PrepareLauncher();
  state.screenHeight = 370;
  ASSERT_NO_FATAL_FAILURE(LoadPicture());
  ASSERT_EQ(1, transitionTable[kCornerQuadrants].create());
  MoveRecorder moves;
  transitionTable[kCornerQuadrants].animate(1);
  EXPECT_EQ("(140,5) ", Path(moves.MovesOf(0)));
  EXPECT_TRUE(IsWindowVisible(state.pieceWindows[0]));
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(IsWindowVisible(state.pieceWindows[i])) << i;
}

// 360 x 360 pixels, top-down, 0x00RRGGBB.
using Pixels = std::vector<DWORD>;

BITMAPINFO TopDown32() {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 360, -360, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

// The picture as loaded, read straight from the bitmap.
Pixels PictureBits() {
  Pixels pixels(360 * 360);
  BITMAPINFO info = TopDown32();
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(360, GetDIBits(screen, state.background, 0, 360, pixels.data(), &info, DIB_RGB_COLORS));
  ReleaseDC(nullptr, screen);
  return pixels;
}

// What `row` paints for `piece`, drawn into a DIB section primed with a marker.
constexpr DWORD kUntouched = 0x00123456u;
Pixels PaintedBy(int row, int piece) {
  BITMAPINFO info = TopDown32();
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  std::fill_n(static_cast<DWORD*>(bits), 360 * 360, kUntouched);
  transitionTable[row].paint(state.pieceWindows[piece], dc);
  GdiFlush();
  Pixels pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 360 * 360);
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
  return pixels;
}

// Each piece's visible quarter, the top-left 180 x 180 of its window, shows its quadrant of
// the picture; the copy's overhang past the bitmap draws nothing.
void CheckPaintSources(int row) {
  PrepareLauncher();
  ASSERT_NO_FATAL_FAILURE(LoadPicture());
  ASSERT_EQ(1, transitionTable[row].create());
  const Pixels picture = PictureBits();
  const Pixels launcher = PaintedBy(row, 0);
  int launcherMismatches = 0;
  for (size_t i = 0; i < picture.size(); ++i) launcherMismatches += launcher[i] != picture[i];
  EXPECT_EQ(0, launcherMismatches) << "the launcher window paints the whole picture";
  for (int piece = 1; piece < 4; ++piece) {
    const Pixels painted = PaintedBy(row, piece);
    int mismatches = 0;
    int sameAsTopLeft = 0;
    for (int y = 0; y < kHalf; ++y) {
      for (int x = 0; x < kHalf; ++x) {
        const DWORD seen = painted[y * 360 + x];
        mismatches += seen != picture[(y + QuadrantY(piece)) * 360 + x + QuadrantX(piece)];
        sameAsTopLeft += seen == picture[y * 360 + x];
      }
    }
    EXPECT_EQ(0, mismatches) << "piece " << piece;
    EXPECT_GT(kHalf * kHalf / 2, sameAsTopLeft) << "piece " << piece << " differs from piece 0";
    const int pastTheEnd = QuadrantY(piece) ? 200 * 360 + 20 : 20 * 360 + 200;
    EXPECT_EQ(kUntouched, painted[pastTheEnd]) << "piece " << piece;
  }
}

TEST(Quadrants, CornerPiecesPaintTheirQuadrants) { CheckPaintSources(kCornerQuadrants); }
TEST(Quadrants, CrossingPiecesPaintTheirQuadrants) { CheckPaintSources(kCrossingQuadrants); }

}  // namespace
