#!/usr/bin/env bash
# The disc image from scripts/make-disc, read back with xorriso: both name trees hold the
# expected names, each file equal to its source (AUTORUN.INF byte for byte), and the label;
# a second run whose preview fails leaves that image as it was.
# Then the files read back become D:, a CD-ROM with that label as Windows reports it, and
# the real launcher runs as D:\LAUNCH.EXE: 201, 202 and 203 start the disc's SETUP.EXE, its
# demo installer and Explorer on D:\, and a double-click ends it with exit code 0.
# With TRUST_VERDICT.EXE, the disc is made with --sign, a throw-away authority's
# certificate and a signed demo installer, and the signature is checked too.
#   disc_drive.sh LAUNCH.EXE DEPTH WORK_FOLDER STUB.EXE [TRUST_VERDICT.EXE]
set -u
. "$(dirname "$0")/e2e_common.sh"
. "$root/tests/scripts/throwaway_signers.sh"
exe=$1
stub=$4
trust_verdict=${5:-}
e2e_begin "$2" "$3"

# The demo is the stand-in with bytes after its end (which Windows ignores), so that the
# two installers can't be taken for each other.
in=$work/in
mkdir -p "$in/content/Extras"
cp "$stub" "$in/setup.exe"
{ cat "$stub"; echo "the demo installer"; } >"$in/demo.exe"
echo "Read me first." >"$in/content/Read Me.txt"
echo "What changed." >"$in/content/Extras/Release notes.txt"
printf '%s\r\n' "[autorun]" "open=LAUNCH.EXE" "icon=LAUNCH.EXE,0" "label=Norvane" \
  "action=Run Norvane CD Setup" >"$in/AUTORUN.INF"
image=$work/norvane-disc.iso
launch_exe=$root/build/win32/LAUNCH.EXE signing=() mark=unsigned
if [ -n "$trust_verdict" ]; then
  s=$work/signers
  mkdir "$s" && make_throwaway_signers "$s" || fail "openssl could not make the signers"
  signing=(--sign "$s/signer.p12" --sign-password-file "$s/password")
  launch_exe=$root/build/win32/signed/LAUNCH.EXE mark="signed by Norvane Test Signer"
  sign_test_file() {
    rm -f "$2" && osslsigncode sign -pkcs12 "$s/signer.p12" -readpass "$s/password" \
      -in "$1" -out "$2" >/dev/null || fail "osslsigncode could not sign $1"
  }
  sign_test_file "$stub" "$in/demo.exe"
  # A time stamp server that refuses the connection (no one listens on port 1 here).
  "$root/scripts/make-disc" --out "$image" "${signing[@]}" --timestamp http://127.0.0.1:1/ \
    >"$work/make-disc.log" 2>&1 && fail "signed with a time stamp server that refused"
  grep -q "failure: .*127\.0\.0\.1:1/" "$work/make-disc.log" && [ ! -e "$image" ] ||
    fail "with a refusing time stamp server: $(tail -n 3 "$work/make-disc.log")"
fi
"$root/scripts/make-disc" --out "$image" --setup "$in/setup.exe" --demo "$in/demo.exe" \
  --add "$in/content" "${signing[@]}" >"$work/make-disc.log" 2>&1 ||
  fail "scripts/make-disc failed: $(tail -n 5 "$work/make-disc.log")"
# A preview that fails (no Windows build to run it on) leaves the image as it was.
cp "$image" "$work/earlier.iso"
LAUNCHER_ARCH=none "$root/scripts/make-disc" --out "$image" --preview >"$work/preview.log" 2>&1 &&
  fail "make-disc passed a failed preview"
grep -q "the preview failed; no image written" "$work/preview.log" && cmp -s "$work/earlier.iso" "$image" &&
  [ -z "$(find "$work" -maxdepth 1 -name '.norvane-disc.iso.*')" ] ||
  fail "after a failed preview, the image or a partial one changed: $(tail -n 3 "$work/preview.log")"
for row in "LAUNCH.EXE|$mark" "SETUP.EXE|unsigned" "Demos\\Ravelcog\\Setup.exe|$mark"; do
  grep -F "  ${row%|*} " "$work/make-disc.log" | grep -q " bytes  ${row#*|}$" ||
    fail "make-disc's list doesn't mark ${row%|*} as ${row#*|}: $(cat "$work/make-disc.log")"
done

# name on the plain ISO 9660 tree (as is, version included) | on the Joliet tree | source
disc=(
  "AUTORUN.INF;1|AUTORUN.INF|$in/AUTORUN.INF"
  "DEMOS/RAVELCOG/SETUP.EXE;1|Demos/Ravelcog/Setup.exe|$in/demo.exe"
  "EXTRAS/RELEASE_.TXT;1|Extras/Release notes.txt|$in/content/Extras/Release notes.txt"
  "LAUNCH.EXE;1|LAUNCH.EXE|$launch_exe"
  "READ_ME.TXT;1|Read Me.txt|$in/content/Read Me.txt"
  "SETUP.EXE;1|SETUP.EXE|$in/setup.exe"
)
for tree in 1:ecma119:iso9660 2:norock:joliet; do
  IFS=: read -r column kind folder <<<"$tree"
  xorriso -osirrox on -read_fs "$kind" -ecma119_map unmapped -indev "$image" -extract / \
    "$work/$folder" >/dev/null 2>&1 || fail "xorriso can't read the $folder tree"
  for row in "${disc[@]}"; do
    name=$(cut -d'|' -f"$column" <<<"$row")
    cmp -s "${row##*|}" "$work/$folder/$name" || fail "$folder $name is not ${row##*|}"
  done
  held=$(cd "$work/$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
  [ "$held" = "$(printf '%s\n' "${disc[@]}" | cut -d'|' -f"$column" | LC_ALL=C sort)" ] ||
    fail "the $folder tree holds other files: ${held//$'\n'/ }"
done
label=$(xorriso -indev "$image" -pvd_info 2>/dev/null | sed -n 's/^Volume Id *: //p')
[ "$label" = NORVANE ] || fail "volume label '$label', not NORVANE"
echo "both name trees hold the ${#disc[@]} files, each equal to its source; volume $label"
[ -z "$trust_verdict" ] || . "$(dirname "$0")/signature_checks.sh"

# The Joliet files become D:, the way Windows reads the disc.
drive=$work/joliet
saved_type=$(drive_d_type)
cleanup() {
  [ -n "$explorer_pid" ] && kill "$explorer_pid" 2>/dev/null
  stop_launcher "$exit_file"
  unmap_drive d
  set_drive_type "$saved_type"
  chmod -R u+w "$work"
}
chmod u+w "$drive"
echo "$label" >"$drive/.windows-label"
if [ "$(cat "$LAUNCHER_TEST_ENV/arch")" != win32 ]; then
  # shellcheck disable=SC2015  # the second assignment is for a failed probe only
  why=$(runs_32bit_programs) && why="the tests run the 64-bit build" ||
    why="this machine runs no 32-bit programs ($why)"
  if [ -n "$trust_verdict" ]; then sign_test_file "$exe" "$drive/LAUNCH.EXE"
  else cp -f "$exe" "$drive/LAUNCH.EXE"; fi
  echo "$why: D:\\LAUNCH.EXE is the ${trust_verdict:+signed }64-bit build of the same source" \
    "($exe), in place of the image's 32-bit LAUNCH.EXE"
fi
chmod a-w "$drive" "$drive/LAUNCH.EXE"
map_drive d "$drive"
trap cleanup EXIT
set_drive_type cdrom || fail "Wine could not take D: as a CD-ROM"

# What Windows says about D: (GetDriveType and GetVolumeInformation, through WMI).
reported=$("$WINE" wmic logicaldisk get DeviceID,DriveType,VolumeName 2>/dev/null |
  iconv -f UTF-16LE -t UTF-8 | tr -d '\r' | awk '$1 == "D:" { print $2, $3 }')
[ "$reported" = "5 $label" ] ||
  fail "Windows reports D: as [$reported], not [5 $label] (5: DRIVE_CDROM, then the label)"
echo "Windows reports D: as a CD-ROM (drive type 5) labelled $label"

record_starts
start_launcher "$drive/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
expect_opened
screenshot "$work/launcher"
echo "D:\\LAUNCH.EXE opened (screenshot: $work/launcher.png)"

click_button 201 140 60
wait_for 60 started_times 'D:\SETUP.EXE' 1 || fail "button 201 didn't start D:\\SETUP.EXE"
click_button 202 140 60
wait_for 60 started_times 'D:\Demos\Ravelcog\Setup.exe' 1 ||
  fail "button 202 didn't start D:\\Demos\\Ravelcog\\Setup.exe"
echo "buttons 201 and 202 started the disc's D:\\SETUP.EXE and D:\\Demos\\Ravelcog\\Setup.exe"
expect_203_opens_explorer
expect_double_click_closes
