#pragma once
// Helpers for tests that drive the launcher's real windows on Wine.
#include <windows.h>

#include <vector>

#include "media/sound_bank.h"
#include "seam_recorder.h"
#include "shell/launcher_state.h"
#include "shell/startup.h"

// The start-up sequence up to, not including, loading the art and opening: the module,
// the display survey, the sounds and the window class, with the seams installed. The real
// pointer is put off the launcher's place first, so that no button is hovered.
inline void PrepareLauncher() {
  SetCursorPos(5, 5);
  seam::Install();
  state.instance = GetModuleHandleA(nullptr);
  RecordModuleDirectory();
  ASSERT_NE(0, SurveyDisplay());
  LoadSounds();
  ASSERT_NE(0, RegisterLauncherClass());
}

// Dispatches everything queued; returns true if the quit message came.
inline bool PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return false;
}

// The launcher opened and standing in its place, with nothing left queued; null if it
// couldn't open.
inline HWND OpenLauncher() {
  PrepareLauncher();
  HWND launcher = LoadArtAndOpen();
  PumpMessages();
  return launcher;
}

// Records where each piece window is moved, as the window procedure is told of it.
class MoveRecorder {
 public:
  MoveRecorder() {
    active_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId());
  }
  ~MoveRecorder() {
    UnhookWindowsHookEx(hook_);
    active_ = nullptr;
  }
  MoveRecorder(const MoveRecorder&) = delete;
  MoveRecorder& operator=(const MoveRecorder&) = delete;

  // Top-left corners piece `piece` was moved to, in order.
  const std::vector<POINT>& MovesOf(int piece) const { return moves_[piece]; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && active_ != nullptr && call->message == WM_WINDOWPOSCHANGED) {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
      for (int i = 0; i < kMaxPieceCount; ++i) {
        if (call->hwnd == state.pieceWindows[i] && !(pos->flags & SWP_NOMOVE))
          active_->Record(i, pos->x, pos->y);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  void Record(int piece, int x, int y) {
    std::vector<POINT>& list = moves_[piece];
    if (list.empty() || list.back().x != x || list.back().y != y) list.push_back(POINT{x, y});
  }

  static inline MoveRecorder* active_ = nullptr;
  HHOOK hook_;
  std::vector<POINT> moves_[kMaxPieceCount];
};

inline RECT WindowRectOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}
