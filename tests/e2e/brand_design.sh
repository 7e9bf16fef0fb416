#!/usr/bin/env bash
# A brand's own design: examples/copperwick (a panel with rounded corners as the window,
# five entries and exit, labels the launcher writes) made by scripts/make-disc --brand and
# run from the files read back as CD-ROM drive D:, in English (fr_FR, not listed), Japanese
# and Arabic. Each time: the window takes the picture's outline, each label stands beside
# its button on its side (the other side in Arabic, where the buttons are mirrored), and
# the buttons carry the language's names in Tab order. In English, Tab walks the entries
# then exit, and each entry starts what it names; in Arabic, the mirrored install button.
# At 144 dpi the window is 720x480 and the labels are written half again as tall.
#   brand_design.sh LAUNCH.EXE SCREEN WORK_FOLDER STUB.EXE WINDOW_TEXTS.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
e2e_brand_begin "$@"

export LAUNCHER_BRAND_BUILD=design
brand=$work/brand
mkdir -p "$brand" && cp -r "$root/examples/copperwick/." "$brand/"
# The emulated machine has none of these locales: scripts/test-emulated compiled them here.
[ -z "${LAUNCHER_IN_VM32:-}" ] || export LOCPATH=$root/build/vm32-locales
image=$work/copperwick.iso
"$root/scripts/make-disc" --brand "$brand" --out "$image" >"$work/make-disc.log" 2>&1 ||
  fail "make-disc failed: $(tail -n 5 "$work/make-disc.log")"
resources=$(brand_resources_dir)
use_stand_in_handlers "$stub"
brand_disc_as_drive_d "$image" COPPERWICK "$brand"
record_starts
# Centred as e2e_begin centres a 360x360 window, the picture being 480x320.
left=$((left - 60)) top=$((top + 20))
mirrored=""

design_shown() {
  screenshot "$work/launcher" &&
    python3 "$root/tests/e2e/design_check.py" "$work/launcher.ppm" "$resources" "$left" "$top" $mirrored >"$work/check.txt"
}
texts() { "$WINE" "$window_texts" "$(windows_path "$work/texts.txt")" "$@" >/dev/null 2>&1; }
centre() { python3 "$root/tests/e2e/design_check.py" --centre "$1" "$resources" "$left" "$top" $mirrored; }

# Starts the launcher in locale $1 and expects its title $2 and the names of buttons 201,
# 205, 206, 207, 203 and 204 in that order ($3...).
open_in() {
  local locale=$1 title=$2 expected names n ids=(201 205 206 207 203 204)
  LAUNCHER_TITLE=$title
  shift 2
  names=("$@")
  expected=$(printf '0\t%s' "$title")
  for n in "${!ids[@]}"; do expected+=$(printf '\n%s\t%s' "${ids[$n]}" "${names[$n]}"); done
  LC_ALL=$locale.UTF-8 LANG=$locale.UTF-8 start_launcher "$drive/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
  expect_opened
  wait_for 30 design_shown || fail "$locale: $(cat "$work/check.txt")"
  cp "$work/launcher.png" "$work/$locale.png"
  texts || fail "$locale: the helper found no launcher window"
  [ "$(cat "$work/texts.txt")" = "$expected" ] || fail "$locale: the windows read: $(cat "$work/texts.txt")"
  echo "$locale: $(cat "$work/check.txt"); $(tr '\t\n' ' ,' <"$work/texts.txt")"
}
focused() { texts focus && [ "$(tail -n 1 "$work/texts.txt" | cut -f1)" = "$1" ]; }
recorded() { [ -f "$records" ] && grep -qF "$1" "$records"; }
expect_start() {  # button, what the record holds, what it is
  # shellcheck disable=SC2046  # the centre is two words, x and y
  xdotool mousemove $(centre "$1") click 1
  wait_for 60 recorded "$2" || fail "button $1 didn't start $3: $(cat "$records" 2>/dev/null)"
  echo "button $1 started $3"
}
# On the title, clear of every button and label in both layouts.
close_by_double_click() {
  double_click_at $((left + 240)) $((top + 40))
  [ "$(wait_for_exit "$exit_file" 30)" = 0 ] || fail "a double-click didn't close the launcher"
}

open_in fr_FR 'Copperwick Tablet Setup' 'Install Copperwick' 'Read the manual' 'Tablet drivers' \
  'Copperwick online' 'Browse this disc' Exit
ink_rows() { python3 "$root/tests/e2e/design_check.py" --ink-rows 201 "$work/launcher.ppm" "$resources" "$left" "$top" "$1"; }
rows96=$(ink_rows 100)
for id in 205 206 207 203 204 201; do
  xdotool key Tab
  wait_for 20 focused "$id" || fail "Tab didn't move the focus to $id: $(cat "$work/texts.txt")"
done
echo "Tab walked 205 206 207 203 204 and back to 201"
expect_start 201 "$(printf 'D:\\Setup\t"C:\\windows\\system32\\msiexec.exe" /i "D:\\Setup\\Copperwick.msi"')" \
  'msiexec /i with the package, in its folder'
expect_start 205 "$(printf 'reader.exe\tD:\\Manual\t')" "the PDF reader in the manual's folder"
recorded 'D:\Manual\Copperwick.pdf' || fail "the reader was not given the manual"
expect_start 207 'https://copperwick.example/support' 'the browser on the address'
# shellcheck disable=SC2046
xdotool mousemove $(centre 206) click 1
wait_for 90 runs_in_our_prefix '[Ee][Xx][Pp][Ll][Oo][Rr][Ee][Rr].*Drivers' ||
  fail "button 206 didn't open Explorer on D:\\Drivers"
kill "$found_pid"
echo "button 206 opened Explorer on D:\\Drivers"
# shellcheck disable=SC2046
xdotool mousemove $(centre 203) click 1
wait_for 90 explorer_on_d || fail "button 203 didn't open Explorer on D:\\"
kill "$explorer_pid"
echo "button 203 opened Explorer on D:\\"
close_by_double_click

open_in ja_JP 'Copperwick タブレット セットアップ' 'Copperwick をインストール' 'マニュアルを読む' \
  'タブレット ドライバー' 'Copperwick オンライン' 'ディスクの内容を表示' '終了'
close_by_double_click

mirrored=--mirrored
open_in ar_SA 'إعداد لوح Copperwick' 'تثبيت Copperwick' 'قراءة الدليل' 'برامج تشغيل اللوح' \
  'Copperwick على الإنترنت' 'استعراض القرص' 'خروج'
: >"$records"
expect_start 201 'Copperwick.msi' 'the installer from its mirrored place'
close_by_double_click

# At 144 dpi, set where Windows keeps it, and put back afterwards.
desktop='HKCU\Control Panel\Desktop'
put_back_all() { put_back_handlers; "$WINE" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1; }
on_leave=put_back_all
run_explained "$WINE" reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f || fail "can't set the scale"
left=$((left - 120)) top=$((top - 80))
LAUNCHER_TITLE='Copperwick Tablet Setup'
LC_ALL=fr_FR.UTF-8 LANG=fr_FR.UTF-8 start_launcher "$drive/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
expect_opened
# 11 points are 16.5 at 150 %: the label is written at the screen's scale.
taller_by_half() {
  screenshot "$work/launcher" && rows144=$(ink_rows 150) &&
    [ $((rows144 * 100)) -ge $((rows96 * 130)) ] && [ $((rows144 * 100)) -le $((rows96 * 170)) ]
}
wait_for 20 taller_by_half || fail "at 144 dpi the label takes $rows144 rows, at 96 dpi $rows96"
echo "at 144 dpi: 720x480, the install label $rows144 rows tall against $rows96 at 96 dpi"
