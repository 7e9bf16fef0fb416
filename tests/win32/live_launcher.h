#pragma once
// A test that runs against the opened launcher, with its real buttons, and drives them with
// the messages the platform would deliver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "effect_recorder.h"
#include "launcher_fixture.h"

class LiveLauncher : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareLauncher();
    launcher_ = LoadArtAndOpen();
    ASSERT_NE(nullptr, launcher_);
    PumpMessages();
  }

  HWND Button(int id) const { return GetDlgItem(launcher_, id); }

  // Delivers one event, written as
  //   "mouse 203", "mouse picture"      a pointer move over a button or the picture
  //   "tab 201", "shift-tab 201"        Tab at a button
  //   "tab launcher", "key launcher"    Tab, or another key, at the launcher window
  //   "esc 203", "esc launcher"         Esc at a button or at the launcher window
  //   "activate N", "ncactivate N"      WM_ACTIVATE, WM_NCACTIVATE with wParam N
  //   "press 202", "release 202"        the left mouse button at the middle of a button
  //   "drag-off 202", "drag-on 202"     the pointer moving off or back onto a held button
  //   "release-off 202"                 letting go of a button away from it
  //   "space-down 204", "space-up 204"  the space bar at a button
  //   "space-repeat 204", "enter-repeat 204"  the repeated key-down of a held key
  //   "repaint 202"                     a full repaint of a button
  void Do(const std::string& event) {
    std::istringstream words(event);
    std::string kind, target;
    words >> kind >> target;
    HWND at = target == "picture" || target == "launcher" ? launcher_
                                                          : Button(std::atoi(target.c_str()));
    const WPARAM value = std::strtoul(target.c_str(), nullptr, 0);
    const LPARAM inside = MAKELPARAM(20, 20), outside = MAKELPARAM(-30, 20);
    if (kind == "mouse") {
      SendMessageA(at, WM_MOUSEMOVE, 0, inside);
    } else if (kind == "tab" || kind == "shift-tab") {
      BYTE keys[256] = {};
      keys[VK_SHIFT] = kind == "shift-tab" ? 0x80 : 0;
      SetKeyboardState(keys);
      EXPECT_EQ(0, SendMessageA(at, WM_KEYDOWN, VK_TAB, 1)) << event;
      keys[VK_SHIFT] = 0;
      SetKeyboardState(keys);
    } else if (kind == "key") {
      SendMessageA(at, WM_KEYDOWN, VK_SPACE, 1);
    } else if (kind == "esc") {
      SendMessageA(at, WM_KEYDOWN, VK_ESCAPE, 1);
    } else if (kind == "activate") {
      EXPECT_EQ(0, SendMessageA(launcher_, WM_ACTIVATE, value, 0)) << event;
    } else if (kind == "ncactivate") {
      SendMessageA(launcher_, WM_NCACTIVATE, value, 0);
    } else if (kind == "press") {
      SendMessageA(at, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    } else if (kind == "release") {
      SendMessageA(at, WM_LBUTTONUP, 0, inside);
    } else if (kind == "drag-off" || kind == "drag-on") {
      SendMessageA(at, WM_MOUSEMOVE, MK_LBUTTON, kind == "drag-on" ? inside : outside);
    } else if (kind == "release-off") {
      SendMessageA(at, WM_LBUTTONUP, 0, outside);
    } else if (kind == "space-down" || kind == "space-up") {
      SendMessageA(at, kind == "space-down" ? WM_KEYDOWN : WM_KEYUP, VK_SPACE, 1);
    } else if (kind == "space-repeat" || kind == "enter-repeat") {
      const LPARAM repeated = 1 | (1 << 30);  // the key was down already
      SendMessageA(at, WM_KEYDOWN, kind == "space-repeat" ? VK_SPACE : VK_RETURN, repeated);
    } else if (kind == "repaint") {
      InvalidateRect(at, nullptr, FALSE);
      UpdateWindow(at);
    } else {
      FAIL() << "unknown event " << event;
    }
  }

  std::string FocusName() const {
    HWND focus = GetFocus();
    if (focus == launcher_) return "launcher";
    return focus == nullptr ? "none" : std::to_string(GetDlgCtrlID(focus));
  }

  // The buttons whose squares on the screen don't show their normal frame, with the frame
  // unless it is the highlighted one ("202", "203 pressed"), or "none".
  std::string LitButtons() const {
    std::string lit;
    for (const ButtonPlace& place : kButtonPlaces) {
      HDC dc = GetDC(Button(place.id));
      SquareSurface surface;
      const std::string frame = FrameShown(place, surface.ReadFrom(dc));
      ReleaseDC(Button(place.id), dc);
      if (frame == "normal") continue;
      lit += (lit.empty() ? "" : " ") + std::to_string(place.id);
      if (frame != "highlighted") lit += " " + frame;
    }
    return lit.empty() ? "none" : lit;
  }

  HWND launcher_ = nullptr;
};
