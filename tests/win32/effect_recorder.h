#pragma once
// Records, in order, the effects that the highlight events have on the real launcher:
// sounds started ("play 302", from the sound seam), focus moves ("focus 202", "focus
// launcher"), buttons given a pending repaint ("invalidate 201") and every button draw,
// named by the frame its pixels show ("draw 201 focus highlighted": the request's action,
// then the frame read back from the item's DC as the draw returns).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "button_pixels.h"
#include "seam_recorder.h"
#include "shell/launcher_state.h"

class EffectRecorder {
 public:
  explicit EffectRecorder(HWND launcher) : launcher_(launcher) {
    active_ = this;
    const DWORD thread = GetCurrentThreadId();
    cbt_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, thread);
    sent_ = SetWindowsHookExA(WH_CALLWNDPROC, OnSent, nullptr, thread);
    returned_ = SetWindowsHookExA(WH_CALLWNDPROCRET, OnReturned, nullptr, thread);
    soundsSeen_ = seam::soundLog.size();
    for (int i = 0; i < 4; ++i) pending_[i] = HasPendingRepaint(Button(i));
  }
  ~EffectRecorder() {
    UnhookWindowsHookEx(cbt_);
    UnhookWindowsHookEx(sent_);
    UnhookWindowsHookEx(returned_);
    active_ = nullptr;
  }
  EffectRecorder(const EffectRecorder&) = delete;
  EffectRecorder& operator=(const EffectRecorder&) = delete;

  // Everything recorded since the last call.
  std::vector<std::string> Take() {
    Flush();
    std::vector<std::string> taken;
    taken.swap(log_);
    return taken;
  }

 private:
  HWND Button(int row) const { return GetDlgItem(launcher_, 201 + row); }
  static bool HasPendingRepaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != 0; }

  std::string NameOf(HWND window) const {
    if (window == nullptr) return "none";
    if (window == launcher_) return "launcher";
    if (GetParent(window) == launcher_) return std::to_string(GetDlgCtrlID(window));
    return "another window";
  }

  // Sounds and invalidations leave no message behind: they are noticed at the next effect
  // that does, so each lands between the effects it happened between.
  void Flush() {
    for (; soundsSeen_ < seam::soundLog.size(); ++soundsSeen_) {
      if (seam::soundLog[soundsSeen_] != "stop") log_.push_back(seam::soundLog[soundsSeen_]);
    }
    for (int i = 0; i < 4; ++i) {
      const bool pending = HasPendingRepaint(Button(i));
      if (pending && !pending_[i]) log_.push_back("invalidate " + std::to_string(201 + i));
      pending_[i] = pending;
    }
  }
  void Note(const std::string& entry) {
    Flush();
    log_.push_back(entry);
  }

  void Drawn(const DRAWITEMSTRUCT& item) {
    const char* action = item.itemAction == ODA_FOCUS    ? "focus"
                         : item.itemAction == ODA_SELECT ? "select"
                                                         : "entire";
    const ButtonPlace* place = PlaceOf(static_cast<int>(item.CtlID));
    SquareSurface surface;
    const std::string frame = place ? FrameShown(*place, surface.ReadFrom(item.hDC)) : "?";
    Note("draw " + std::to_string(item.CtlID) + " " + action + " " + frame);
  }

  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS && active_ != nullptr)
      active_->Note("focus " + active_->NameOf(reinterpret_cast<HWND>(wParam)));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  // Wine's button class also repaints a button that loses the focus. That repaint is
  // undone here, so that only the launcher's own invalidations are recorded and repainted.
  static LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && active_ != nullptr && call->message == WM_KILLFOCUS)
      active_->killFocusFoundPending_ = HasPendingRepaint(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK OnReturned(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && active_ != nullptr) {
      if (call->message == WM_DRAWITEM && call->hwnd == active_->launcher_)
        active_->Drawn(*reinterpret_cast<const DRAWITEMSTRUCT*>(call->lParam));
      if (call->message == WM_KILLFOCUS && GetParent(call->hwnd) == active_->launcher_ &&
          !active_->killFocusFoundPending_)
        ValidateRect(call->hwnd, nullptr);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline EffectRecorder* active_ = nullptr;
  HWND launcher_;
  HHOOK cbt_, sent_, returned_;
  size_t soundsSeen_;
  bool pending_[4];
  bool killFocusFoundPending_ = false;
  std::vector<std::string> log_;
};

// Compares two effect lists entry by entry; on any difference prints both lists whole.
inline void ExpectEffects(const std::vector<std::string>& expected,
                          const std::vector<std::string>& actual, const std::string& what) {
  if (expected == actual) return;
  std::string report = what + ": effects differ (expected | actual)\n";
  const size_t rows = std::max(expected.size(), actual.size());
  for (size_t i = 0; i < rows; ++i) {
    std::string want = i < expected.size() ? expected[i] : "-";
    const std::string got = i < actual.size() ? actual[i] : "-";
    const bool same = i < expected.size() && i < actual.size() && want == got;
    want.resize(std::max<size_t>(want.size(), 34), ' ');
    report += (same ? "     " : "  >> ") + want + " | " + got + "\n";
  }
  ADD_FAILURE() << report;
}
