#pragma once
// The launcher window's class, and its title (also the caption of every message box) when
// the string table can't give one. The windows are Unicode windows, so that a title and
// button names in any language show whole on any system.
constexpr const wchar_t kWindowTitle[] = L"Norvane CD Setup";
constexpr const wchar_t kClassName[] = L"NorvaneCDSetupClass";
