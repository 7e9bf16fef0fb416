#!/usr/bin/env bash
# A disc that knows what is installed: examples/harbourlight, made by scripts/make-disc
# --brand and run from its files as CD-ROM drive D:, with msiexec.exe a stand-in that
# registers the product (as Windows Installer does) and puts its program in Program Files.
# The launcher opens offering Install; Install runs the installer and, once it has ended,
# with no input, the buttons are Start and Remove and the picture is the installed one.
# Start runs the installed program in its own folder; a second launcher opens installed;
# Remove runs msiexec /x with the product code and the launcher offers Install again.
#   brand_installed.sh LAUNCH.EXE DEPTH WORK_FOLDER STUB.EXE WINDOW_TEXTS.EXE STAND_IN.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
e2e_brand_begin "$@"
installer=$6

export LAUNCHER_BRAND_BUILD=installed
brand=$root/examples/harbourlight
image=$work/harbourlight.iso
"$root/scripts/make-disc" --brand "$brand" --out "$image" >"$work/make-disc.log" 2>&1 ||
  fail "make-disc failed: $(tail -n 5 "$work/make-disc.log")"
resources=$(brand_resources_dir)
use_stand_in_handlers "$stub" "$installer"
brand_disc_as_drive_d "$image" HARBOURLIGHT "$brand"
record_starts
code=$(sed -n 's/^installed = msi \({[-0-9A-Fa-f]*}\).*/\1/p' "$brand/brand.ini")
[ -n "$code" ] || fail "examples/harbourlight names no product code"
folder='C:\Program Files\Harbourlight' program=$folder'\Atlas.exe'
installer_record=$work/installer.txt
# Where Windows Installer keeps a product installed for the machine: under its code with
# each of the first three groups reversed and each later byte's two digits swapped.
digits=${code//[-\{\}]/}
squashed=$(rev <<<"${digits:0:8}")$(rev <<<"${digits:8:4}")$(rev <<<"${digits:12:4}")
squashed+=$(sed 's/\(.\)\(.\)/\2\1/g' <<<"${digits:16}")
products='HKLM\Software\Classes\Installer\Products\'$squashed
properties='HKLM\Software\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18\Products\'$squashed'\InstallProperties'
sed 's/$/\r/' >"$work/msiexec.cmd" <<CMD
@echo off
echo %*>"$(windows_path "$installer_record")"
if "%1"=="/x" goto remove
reg add "$products" /f /reg:64 >nul
reg add "$properties" /v WindowsInstaller /t REG_DWORD /d 1 /f /reg:64 >nul
mkdir "$folder"
copy /y "$(windows_path "$stub")" "$program" >nul
exit /b
:remove
reg delete "$properties" /f /reg:64 >nul
reg delete "$products" /f /reg:64 >nul
del "$program"
CMD
LAUNCHER_STAND_IN_SCRIPT=$(windows_path "$work/msiexec.cmd")
export LAUNCHER_STAND_IN_SCRIPT
LAUNCHER_TITLE='Harbourlight Atlas Setup'
installed_names=$(printf '0\t%s\n201\t%s\n202\t%s\n203\t%s\n204\t%s' "$LAUNCHER_TITLE" \
  'Start Harbourlight' 'Remove Harbourlight' 'Harbourlight online' Exit)
installing_names=$(printf '0\t%s\n201\t%s\n202\t%s\n203\t%s\n204\t%s' "$LAUNCHER_TITLE" \
  'Install Harbourlight' 'Read the manual' 'Harbourlight online' Exit)

names_are() {
  "$WINE" "$window_texts" "$(windows_path "$work/texts.txt")" >/dev/null 2>&1 &&
    [ "$(cat "$work/texts.txt")" = "$1" ]
}
shows() {
  screenshot "$work/launcher" && python3 "$root/tests/e2e/screen_check.py" "$work/launcher.ppm" \
    "$resources/$1" "$left" "$top" $2 >"$work/check.txt"
}
# $1: names, $2: the picture's file among the brand's resources, $3: the button highlighted.
expect_state() {
  wait_for 60 names_are "$1" || fail "the buttons read: $(tr '\t\n' ' ,' <"$work/texts.txt")"
  wait_for 20 shows "$2" "$3" || fail "not $2 on the screen: $(cat "$work/check.txt")"
  cp "$work/launcher.png" "$work/${2%.bmp}.png"
  echo "buttons $(sed -n 's/^20[12]\t//p' "$work/texts.txt" | paste -sd,) over $2"
}

LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 start_launcher "$drive/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
expect_opened
expect_state "$installing_names" background.bmp 201=highlighted
click_button 201 "$left" "$top"
# The pointer stays on Install: nothing but the installer's end can change the buttons.
expect_state "$installed_names" installed.bmp 201=highlighted
grep -qF '/i "D:\Setup\Harbourlight.msi"' "$installer_record" ||
  fail "the installer was started as: $(cat "$installer_record")"
# Install keeps the focus; a second click so soon after the first would be a double-click.
xdotool key Return
wait_for 60 grep -qF "$(printf 'Atlas.exe\t%s\t' "$folder")" "$records" ||
  fail "Start didn't run Atlas.exe in its folder: $(cat "$records" 2>/dev/null)"
echo "Start ran $program in its own folder"
expect_double_click_closes

LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 start_launcher "$drive/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
expect_opened
expect_state "$installed_names" installed.bmp 201=highlighted
click_button 202 "$left" "$top"
expect_state "$installing_names" background.bmp 202=highlighted
grep -qF "/x $code" "$installer_record" || fail "Remove started: $(cat "$installer_record")"
echo "Remove ran msiexec /x $code"
expect_double_click_closes
