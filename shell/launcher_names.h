#pragma once
// The launcher window's title (also the caption of every message box) and its class.
constexpr const char kWindowTitle[] = "Norvane CD Setup";
constexpr const char kClassName[] = "NorvaneCDSetupClass";
