#pragma once
// The language the launcher speaks, and the lookup of its resources in it. A brand's
// LAUNCH.EXE carries its strings and pictures once per language it lists (see
// language_choice.h); every one is then looked up in the chosen language, then in the
// default, by exactly those ids: the platform's own fallbacks differ between Windows and
// Wine, and would pick a language the brand never listed. Without a list (Norvane's
// disc), resources are found as they always were.
#include <windows.h>

// Reads the language list and chooses from it by the user's interface language (through
// `platform.userInterfaceLanguage`), into `state.language` and `state.defaultLanguage`;
// both stay 0 without a list.
void ChooseResourceLanguage();

// Resource `id` of `type` carried under exactly `language`, or null.
HRSRC FindResourceOfLanguage(int id, int type, WORD language);

// Resource `id` of `type` in the chosen language, else the default; without a list, as
// FindResourceA finds it.
HRSRC FindLauncherResource(int id, int type);
