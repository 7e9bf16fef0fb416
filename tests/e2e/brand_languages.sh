#!/usr/bin/env bash
# A disc in three languages: examples/harbourlight with a Japanese edition added, made by
# scripts/make-disc --brand and run on Wine from the files read back as CD-ROM drive D:,
# once for each of the user languages de_DE (German), de_AT (German by its primary
# language), fr_FR (not listed: English, the default) and ja_JP. Each time: the window
# title, the button names as another program reads them and the picture on the screen.
# English: 201 runs the Windows Installer package, 202 opens the PDF manual, 203 the web
# address, each through the prefix's handler, here a stand-in that records its command
# line and folder. German: 202 opens Explorer on the disc's folder, 203 is not there.
# Japanese: 201 runs a program that can't start, and the failure box says so in Japanese.
#   brand_languages.sh LAUNCH.EXE DEPTH WORK_FOLDER STUB.EXE WINDOW_TEXTS.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
e2e_brand_begin "$@"

# Built in folders of its own: the brand disc test's brand stays ready beside it.
export LAUNCHER_BRAND_BUILD=languages
brand=$work/brand
make_languages_brand "$brand"
# Setup\Start.exe is a Windows program by its headers only, so that its start fails.
mkdir -p "$work/more/Setup"
{ printf 'MZ'; head -c 58 /dev/zero; printf '\100\0\0\0PE\0\0'; head -c 200 /dev/urandom; } \
  >"$work/more/Setup/Start.exe"
# The emulated machine has none of these locales: scripts/test-emulated compiled them here.
[ -z "${LAUNCHER_IN_VM32:-}" ] || export LOCPATH=$root/build/vm32-locales
image=$work/harbourlight.iso
"$root/scripts/make-disc" --brand "$brand" --out "$image" --add "$work/more" \
  >"$work/make-disc.log" 2>&1 || fail "make-disc failed: $(tail -n 5 "$work/make-disc.log")"
# Its German pictures come at 1x only, so that the 32-bit LAUNCH.EXE keeps to 1.5 MiB.
size=$(stat -c %s "$root/build/brand-win32-languages/LAUNCH.EXE")
[ "$size" -le $((1536 * 1024)) ] && [ ! -e "$(brand_resources_dir)/de-DE/background@2x.bmp" ] ||
  fail "LAUNCH.EXE is $size bytes, German's 2x art $(ls "$(brand_resources_dir)/de-DE")"
echo "LAUNCH.EXE is $size bytes, with German's own pictures at 1x only"

use_stand_in_handlers "$stub"
brand_disc_as_drive_d "$image" HARBOURLIGHT "$brand"
export WINEDEBUG=trace+msgbox
record_starts

# Starts the launcher in locale $1 and expects the picture of language $2, the title $3
# and the names of the buttons 201 to 204 ($4...; "-" for none).
open_in() {
  local locale=$1 tag=$2 title=$3 n=201 name expected
  picture=$(brand_resources_dir)/$tag/background.bmp
  [ -f "$picture" ] || picture=$(brand_resources_dir)/background.bmp
  LAUNCHER_TITLE=$title
  shift 3
  expected=$(printf '0\t%s' "$title")
  for name in "$@"; do
    [ "$name" = - ] || expected+=$(printf '\n%s\t%s' "$n" "$name")
    n=$((n + 1))
  done
  LC_ALL=$locale.UTF-8 LANG=$locale.UTF-8 start_launcher "$drive/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
  expect_opened
  wait_for 20 at_rest || fail "$locale: not the picture of $tag: $(python3 \
    "$root/tests/e2e/screen_check.py" "$work/launcher.ppm" "$picture" "$left" "$top" 201=highlighted)"
  "$WINE" "$window_texts" "$(windows_path "$work/texts.txt")" >/dev/null 2>&1 ||
    fail "$locale: the helper found no launcher window"
  [ "$(cat "$work/texts.txt")" = "$expected" ] || fail "$locale: the windows read: $(cat "$work/texts.txt")"
  echo "$locale: $tag's picture, title and buttons: $(tr '\t\n' ' ,' <"$work/texts.txt")"
}
at_rest() {
  screenshot "$work/launcher" && python3 "$root/tests/e2e/screen_check.py" "$work/launcher.ppm" \
    "$picture" "$left" "$top" 201=highlighted >/dev/null
}
recorded() { [ -f "$records" ] && grep -qF "$1" "$records"; }
expect_start() {  # button, what the record holds, what it is
  click_button "$1" "$left" "$top"
  wait_for 60 recorded "$2" || fail "button $1 didn't start $3: $(cat "$records" 2>/dev/null)"
  echo "button $1 started $3"
}

open_in fr_FR en-US 'Harbourlight Atlas Setup' 'Install Harbourlight' 'Read the manual' \
  'Harbourlight online' Exit
expect_start 201 "$(printf 'D:\\Setup\t"C:\\windows\\system32\\msiexec.exe" /i "D:\\Setup\\Harbourlight.msi"')" \
  'msiexec /i with the package, in its folder'
expect_start 202 "$(printf 'reader.exe\tD:\\Manual\t')" "the PDF reader in the manual's folder"
recorded 'D:\Manual\Harbourlight.pdf' || fail "the reader was not given the manual"
expect_start 203 'https://harbourlight.example/charts' 'the browser on the address'
expect_double_click_closes

german=('Harbourlight Atlas Installation' 'Harbourlight installieren' 'Seekarten ansehen' - Beenden)
open_in de_AT de-DE "${german[@]}"
expect_double_click_closes
open_in de_DE de-DE "${german[@]}"
click_button 202 "$left" "$top"
wait_for 90 runs_in_our_prefix '[Ee][Xx][Pp][Ll][Oo][Rr][Ee][Rr].*Seekarten' ||
  fail "button 202 didn't open Explorer on D:\\Seekarten"
kill "$found_pid"
echo "button 202 opened Explorer on D:\\Seekarten"
expect_double_click_closes

open_in ja_JP ja-JP 'ハーバーライト セットアップ' 'ハーバーライトをインストール' 'Read the manual' \
  'Harbourlight online' Exit
click_button 201 "$left" "$top"
# Wine's trace writes the box's text with \NNNN (hex) for each character beyond ASCII.
said=$(python3 -c 'print("".join(c if ord(c) < 128 else "\\%04x" % ord(c)
  for c in "D:\\\\Setup\\\\Start.exe を開けません"))')
wait_for 60 grep -qF "MSGBOX_OnInit L\"$said\"" "$exit_file.log" ||
  fail "no box saying D:\\Setup\\Start.exe を開けません"
xdotool key Return
echo "the failed start was reported in Japanese"
expect_double_click_closes
