// Measures the launcher on Wine, each figure beside a floor measured in the same run:
//   launcher_bench.exe startup   start-up work up to the opening animation
//   launcher_bench.exe startup-floor   creating one hidden popup window, its floor
//   launcher_bench.exe step      one vertical-halves step vs the same moves of empty windows
//   launcher_bench.exe draw      one WM_DRAWITEM of a button vs one 42x42 SRCCOPY BitBlt
//   launcher_bench.exe steady    marks for the +gdi trace and private bytes, before and after
//                                each of two rounds of 500 highlight moves and 500 draws
// Each line printed is "figure value-us floor-us" or "figure value"; scripts/bench makes
// the table. Sounds are silenced through the seam: Wine on a machine without a sound card
// spends seconds probing for one, which would measure Wine, not the launcher.
// LAUNCHER_BENCH_DPI=144 (say) has the launcher take that scale, and the floors the same
// sizes and steps. LAUNCHER_BENCH_BRAND, a brand's built LAUNCH.EXE (a Windows path), has
// the start-up take that brand's resources instead of Norvane's linked in.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "shell/launcher_state.h"
#include "shell/launcher_wndproc.h"
#include "shell/platform_seam.h"
#include "shell/screen_scale.h"
#include "shell/single_launcher.h"
#include "shell/startup.h"
#include "shell/system_library.h"
#include "tools/bench/private_bytes.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1e6 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Every reading of the animation clock, in microseconds: the first marks the start of a
// run, each later one the end of a step. The clock the launcher sees never moves, so no
// run is cut short by the time limit.
std::vector<double> clockReadings;
DWORD WINAPI RecordingTick() {
  clockReadings.push_back(Now());
  return 1000;
}
UINT benchDpi = kStandardDpi;
UINT BenchDpi() { return benchDpi; }
int Side() { return ScaleToDpi(360, static_cast<int>(benchDpi)); }

BOOL WINAPI Silent(LPCSTR, UINT) { return TRUE; }
BOOL WINAPI SilentStop(LPCSTR, HMODULE, DWORD) { return TRUE; }

// When the display survey got its information context, the end of the display driver's
// first use.
double displayGiven = 0;
decltype(platform.createDisplayInfoContext) realDisplayInfoContext = nullptr;
HDC WINAPI TimedDisplayInfoContext(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode) {
  HDC info = realDisplayInfoContext(driver, device, port, mode);
  displayGiven = Now();
  return info;
}

void InstallBenchSeams() {
  platform.getTickCount = RecordingTick;
  platform.sndPlaySound = Silent;
  platform.stopSounds = SilentStop;
  realDisplayInfoContext = platform.createDisplayInfoContext;
  platform.createDisplayInfoContext = TimedDisplayInfoContext;
  if (benchDpi != kStandardDpi) platform.primaryMonitorDpi = BenchDpi;
}

// The launcher's own start-up, as WinMain runs it but for the sounds, which stay silent.
bool OpenTheLauncher(HINSTANCE resources = GetModuleHandleA(nullptr)) {
  return OpenLauncher(resources) == kExitNormal && !clockReadings.empty();
}

// The module the start-up reads its resources from: the brand's LAUNCH.EXE mapped as
// resources only, where the real launcher's loader maps its own image, so its cost stays
// out of the timing. Every lookup of the launcher's goes through state.instance.
HINSTANCE StartupResources() {
  wchar_t brand[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"LAUNCHER_BENCH_BRAND", brand, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return GetModuleHandleA(nullptr);
  return LoadLibraryExW(brand, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

LRESULT CALLBACK EmptyPaintProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterFloorClass() {
  WNDCLASSA floorClass = {};
  floorClass.lpfnWndProc = EmptyPaintProc;
  floorClass.hInstance = GetModuleHandleA(nullptr);
  floorClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  floorClass.lpszClassName = "BenchFloor";
  RegisterClassA(&floorClass);
}

HWND CreateFloorWindow(int x, int y, HWND owner) {
  return CreateWindowExA(0, "BenchFloor", "", owner ? WS_POPUP | WS_CHILD : WS_POPUP, x, y, Side(),
                         Side(), owner, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Entry to the start of the opening animation, and its parts, marked by the seams the
// start-up goes through. Like the floor, it runs in a fresh process: the first window of
// a process also pays for connecting to the display.
int BenchStartup() {
  InstallBenchSeams();
  HINSTANCE resources = StartupResources();
  if (resources == nullptr) {
    std::fprintf(stderr, "launcher_bench: LAUNCHER_BENCH_BRAND doesn't load\n");
    return 1;
  }
  const double entry = Now();
  if (AnotherLauncherIsOpen(resources)) return 1;
  LimitDllSearchToSystemDirectory();
  const double claimed = Now();
  if (!OpenTheLauncher(resources)) return 1;
  std::printf("startup %.1f\n", clockReadings.front() - entry);
  std::printf("startup_claim %.1f\n", claimed - entry);
  std::printf("startup_display %.1f\n", displayGiven - claimed);
  std::printf("startup_windows %.1f\n", clockReadings.front() - displayGiven);
  return 0;
}

// The floor of start-up: one hidden popup window of the launcher's size, the first
// window of its process. Then, timed on its own, what any program pays to hold a picture
// of that size: a bitmap of the screen's format, each pixel written once. The window
// costs the same at every scale; the picture grows with its area, 2.25 times at 144 dpi.
int BenchStartupFloor() {
  RegisterFloorClass();
  const double t = Now();
  HWND window = CreateFloorWindow(0, 0, nullptr);
  const double windowMade = Now();
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, Side(), Side());
  HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ kept = SelectObject(memory, picture);
  PatBlt(memory, 0, 0, Side(), Side(), WHITENESS);
  const double pictureHeld = Now();
  std::printf("startup_floor %.1f\n", windowMade - t);
  std::printf("startup_floor_picture %.1f\n", pictureHeld - windowMade);
  SelectObject(memory, kept);
  DeleteDC(memory);
  DeleteObject(picture);
  ReleaseDC(nullptr, screen);
  DestroyWindow(window);
  return 0;
}

std::vector<double> StepTimes(size_t firstReading, size_t endReading) {
  std::vector<double> steps;
  for (size_t i = firstReading + 1; i < endReading; ++i)
    steps.push_back(clockReadings[i] - clockReadings[i - 1]);
  return steps;
}

void SetHalfRegion(HWND window, bool lower) {
  const int side = Side();
  HRGN ellipse = CreateEllipticRgn(0, lower ? -side / 2 : 0, side, lower ? side / 2 : side);
  HRGN clip = CreateRectRgn(0, 0, side, side / 2);
  CombineRgn(ellipse, ellipse, clip, RGN_AND);
  SetWindowRgn(window, ellipse, TRUE);
  DeleteObject(clip);
}

// The animation's moves: the open's first step activates, every other step doesn't.
constexpr UINT kMove = SWP_NOSIZE | SWP_NOZORDER;
constexpr UINT kSlide = kMove | SWP_NOACTIVATE;

// The same moves as the open and the close, on two windows of the same size and shape
// that paint nothing.
std::vector<double> FloorSteps(int openSteps, int closeSteps) {
  const int dpi = static_cast<int>(benchDpi), side = Side();
  const int left = (state.screenWidth - side) / 2, top = (state.screenHeight - side) / 2;
  const int stepY = ScaleToDpi(UnscaleFromDpi(state.screenHeight, dpi) / 120, dpi);
  HWND upper = CreateFloorWindow(left, 0, nullptr);
  HWND lower = CreateFloorWindow(left, state.screenHeight - side / 2, upper);
  SetHalfRegion(upper, false);
  SetHalfRegion(lower, true);
  ShowWindow(upper, SW_SHOW);
  ShowWindow(lower, SW_SHOW);
  std::vector<double> steps;
  auto step = [&](int delta, UINT flags) {
    const double t = Now();
    for (HWND window : {upper, lower}) {
      RECT r;
      GetWindowRect(window, &r);
      const int dy = window == upper ? delta : -delta;
      SetWindowPos(window, nullptr, r.left, r.top + dy, 0, 0, flags);
      UpdateWindow(window);
      GetWindowRect(window, &r);
    }
    steps.push_back(Now() - t);
  };
  for (int i = 0; i < openSteps; ++i) step(stepY, i == 0 ? kMove : kSlide);
  SetWindowPos(lower, nullptr, left, top + side / 2, 0, 0, kSlide);
  SetWindowPos(upper, nullptr, left, top, 0, 0, kMove);
  for (int i = 0; i < closeSteps; ++i) step(-stepY, kSlide);
  DestroyWindow(lower);
  DestroyWindow(upper);
  return steps;
}

int BenchStep() {
  RegisterFloorClass();
  InstallBenchSeams();
  if (!OpenTheLauncher()) return 1;
  const size_t openReadings = clockReadings.size();
  const double openTotal = clockReadings.back() - clockReadings.front();
  Pump();
  ExitLauncher();
  const size_t allReadings = clockReadings.size();
  std::vector<double> steps = StepTimes(0, openReadings);
  const std::vector<double> closeSteps = StepTimes(openReadings, allReadings);
  steps.insert(steps.end(), closeSteps.begin(), closeSteps.end());
  const std::vector<double> floors =
      FloorSteps(static_cast<int>(openReadings - 1), static_cast<int>(closeSteps.size()));
  std::printf("step %.1f %.1f\n", Median(steps), Median(floors));
  std::printf("open_total %.1f\n", openTotal);
  std::printf("open_steps %u\n", static_cast<unsigned>(openReadings - 1));
  std::printf("close_steps %u\n", static_cast<unsigned>(closeSteps.size()));
  return 0;
}

HWND OpenLauncherWithButtons() {
  InstallBenchSeams();
  HWND launcher = OpenTheLauncher() ? state.pieceWindows[0] : nullptr;
  Pump();
  return launcher;
}

DRAWITEMSTRUCT FullDrawOf(HWND button, HDC dc) {
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = button;
  item.hDC = dc;
  GetClientRect(button, &item.rcItem);
  return item;
}

int BenchDraw() {
  HWND launcher = OpenLauncherWithButtons();
  HWND button = launcher ? GetDlgItem(launcher, 201) : nullptr;
  if (button == nullptr) {
    std::printf("draw n/a\n");
    return 0;
  }
  constexpr int kDraws = 1000;
  HDC dc = GetDC(button);
  DRAWITEMSTRUCT item = FullDrawOf(button, dc);
  std::vector<double> draws;
  for (int i = 0; i < kDraws; ++i) {
    const double t = Now();
    SendMessageA(launcher, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    draws.push_back(Now() - t);
  }
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP square = CreateCompatibleBitmap(dc, 42, 42);
  HGDIOBJ old = SelectObject(memory, square);
  std::vector<double> floors;
  for (int i = 0; i < kDraws; ++i) {
    const double t = Now();
    BitBlt(dc, 0, 0, 42, 42, memory, 0, 0, SRCCOPY);
    GdiFlush();
    floors.push_back(Now() - t);
  }
  SelectObject(memory, old);
  DeleteObject(square);
  DeleteDC(memory);
  // What a draw spends on its own scratch objects: two memory DCs and a 42x42 bitmap,
  // made, selected, and released again.
  std::vector<double> scratch;
  for (int i = 0; i < kDraws; ++i) {
    const double t = Now();
    HDC source = CreateCompatibleDC(dc);
    HDC work = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateDiscardableBitmap(dc, 42, 42);
    HGDIOBJ previous = SelectObject(work, bitmap);
    SelectObject(work, previous);
    DeleteObject(bitmap);
    DeleteDC(work);
    DeleteDC(source);
    scratch.push_back(Now() - t);
  }
  // The composition itself on scratch objects made once: picture, mask AND, face OR, copy.
  HDC source = CreateCompatibleDC(dc);
  HDC work = CreateCompatibleDC(dc);
  HBITMAP workBitmap = CreateDiscardableBitmap(dc, 42, 42);
  HGDIOBJ keptSource = GetCurrentObject(source, OBJ_BITMAP);
  HGDIOBJ keptWork = SelectObject(work, workBitmap);
  HBITMAP mask = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200),
                                                 IMAGE_BITMAP, 0, 0, 0));
  HBITMAP face = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(201),
                                                 IMAGE_BITMAP, 0, 0, 0));
  std::vector<double> blits, places;
  for (int i = 0; i < kDraws; ++i) {
    double t = Now();
    RECT r;
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, launcher, reinterpret_cast<POINT*>(&r), 2);
    places.push_back(Now() - t);
    t = Now();
    SelectObject(source, state.background);
    BitBlt(work, 0, 0, 42, 42, source, r.left, r.top, SRCCOPY);
    SelectObject(source, mask);
    BitBlt(work, 0, 0, 42, 42, source, 42, 0, SRCAND);
    SelectObject(source, face);
    BitBlt(work, 0, 0, 42, 42, source, 42, 0, SRCPAINT);
    BitBlt(dc, 0, 0, 42, 42, work, 0, 0, SRCCOPY);
    GdiFlush();
    blits.push_back(Now() - t);
  }
  SelectObject(source, keptSource);
  SelectObject(work, keptWork);
  DeleteObject(workBitmap);
  DeleteObject(mask);
  DeleteObject(face);
  DeleteDC(work);
  DeleteDC(source);
  ReleaseDC(button, dc);
  std::printf("draw %.1f %.1f\n", Median(draws), Median(floors));
  std::printf("draw_scratch %.1f\n", Median(scratch));
  std::printf("draw_place %.1f\n", Median(places));
  std::printf("draw_blits %.1f\n", Median(blits));
  return 0;
}

// The +gdi trace counts live GDI objects; a marker in the same trace stream tells the
// script where each phase ends.
void Mark(const char* phase) {
  char text[64];
  std::snprintf(text, sizeof text, "BENCH-MARK %s", phase);
  OutputDebugStringA(text);
  std::printf("private_bytes_%s %lu\n", phase, static_cast<unsigned long>(PrivateBytes()));
  std::fflush(stdout);
}

// 500 highlight moves (the pointer alternating between two buttons) and 500 draws.
void MoveAndDraw(HWND first, HWND second) {
  for (int i = 0; i < 500; ++i) {
    SendMessageA(i % 2 ? first : second, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    Pump();
  }
  for (int i = 0; i < 500; ++i) {
    InvalidateRect(first, nullptr, FALSE);
    UpdateWindow(first);
  }
  Pump();
}

// Two rounds, so that what the first use of a path allocates once can be told from what
// every round would add.
int BenchSteady() {
  HWND launcher = OpenLauncherWithButtons();
  HWND first = launcher ? GetDlgItem(launcher, 201) : nullptr;
  HWND second = launcher ? GetDlgItem(launcher, 202) : nullptr;
  if (first == nullptr || second == nullptr) return 1;
  Mark("open");
  MoveAndDraw(first, second);
  Mark("after");
  MoveAndDraw(first, second);
  Mark("again");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "";
  const char* dpi = std::getenv("LAUNCHER_BENCH_DPI");
  if (dpi != nullptr) benchDpi = static_cast<UINT>(UsableDpi(static_cast<uint32_t>(std::atoi(dpi))));
  if (!std::strcmp(mode, "startup")) return BenchStartup();
  if (!std::strcmp(mode, "startup-floor")) return BenchStartupFloor();
  if (!std::strcmp(mode, "step")) return BenchStep();
  if (!std::strcmp(mode, "draw")) return BenchDraw();
  if (!std::strcmp(mode, "steady")) return BenchSteady();
  std::fprintf(stderr, "usage: launcher_bench startup|step|draw|steady\n");
  return 2;
}
