#!/usr/bin/env bash
# A disc of another product: a brand made here (its own picture, labels and colours, other
# texts, a demo path beyond ASCII, a Japanese title and a Greek failure message) goes through
# scripts/make-disc --brand. From the image it wrote: the volume label, AUTORUN.INF's
# label and action, and LAUNCH.EXE's version names; then, run on Wine from the files read
# back as CD-ROM drive D: labelled as the disc, the window title and the button names as
# another program reads them, the picture at rest against the converted picture pixel for
# pixel, 202 starting the brand's demo path, and the caption and text of the box of a
# start that fails.
#   brand_disc.sh LAUNCH.EXE DEPTH WORK_FOLDER STUB.EXE WINDOW_TEXTS.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
e2e_brand_begin "$@"

title=$test_brand_title
unable=$test_brand_unable
brand=$work/brand
make_test_brand "$brand" || fail "ImageMagick can't draw"

# SETUP.EXE is a Windows program by its headers only, so that its start fails.
in=$work/in
mkdir -p "$in"
{ printf 'MZ'; head -c 58 /dev/zero; printf '\100\0\0\0PE\0\0'; head -c 200 /dev/urandom; } >"$in/setup.exe"
image=$work/quillmark-disc.iso
"$root/scripts/make-disc" --brand "$brand" --out "$image" --setup "$in/setup.exe" \
  --demo "$stub" >"$work/make-disc.log" 2>&1 ||
  fail "scripts/make-disc --brand failed: $(tail -n 5 "$work/make-disc.log")"
label=$(xorriso -indev "$image" -pvd_info 2>/dev/null | sed -n 's/^Volume Id *: //p')
[ "$label" = QUILLMARK ] || fail "volume label '$label', not QUILLMARK"
brand_disc_as_drive_d "$image" QUILLMARK "$brand"
autorun=$(iconv -f UTF-16 -t UTF-8 "$drive/AUTORUN.INF" | tr -d '\r')
[ "$autorun" = "$(printf '%s\n' '[autorun]' open=LAUNCH.EXE icon=LAUNCH.EXE,0 label=QUILLMARK \
  "action=Run $title")" ] || fail "AUTORUN.INF reads: $autorun"
[ -f "$drive/Demos/Écritoire/Setup.exe" ] || fail "no Demos\\Écritoire\\Setup.exe on the disc"
python3 - "$drive/LAUNCH.EXE" "$root" <<'PY' || fail "the version resource doesn't name Quillmark"
import sys
sys.path.insert(0, sys.argv[2] + "/tools")
from pe_resources import PeFile
version = PeFile(open(sys.argv[1], "rb").read()).resources()[(16, 1)]
for key, value in (("ProductName", "Quillmark"), ("CompanyName", "Quillmark Labs"),
                   ("FileVersion", "2.1"), ("FileDescription", "クイルマーク CD セットアップ")):
    assert (key + "\0").encode("utf-16-le") in version and \
        (value + "\0").encode("utf-16-le") in version, key
PY
echo "volume QUILLMARK, AUTORUN.INF labelled QUILLMARK, the version resource names Quillmark"

LAUNCHER_TITLE=$(printf '%s' "$title" | sed 's/[][\.*^$+?(){}|]/\\&/g')
picture=$root/build/brand-resources/background.bmp

export WINEDEBUG=trace+msgbox
record_starts
code_page=$work/code-page.txt
LAUNCHER_STUB_CODE_PAGE=$(windows_path "$code_page")
export LAUNCHER_STUB_CODE_PAGE
start_launcher "$drive/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
expect_opened
at_rest() {
  screenshot "$work/launcher" &&
    python3 "$root/tests/e2e/screen_check.py" "$work/launcher.ppm" "$picture" "$left" "$top" \
      201=highlighted >/dev/null
}
wait_for 20 at_rest || fail "the screen isn't the converted picture: $(python3 \
  "$root/tests/e2e/screen_check.py" "$work/launcher.ppm" "$picture" "$left" "$top" 201=highlighted)"
echo "the launcher shows the converted picture pixel for pixel (screenshot: $work/launcher.png)"

"$WINE" "$window_texts" "$(windows_path "$work/texts.txt")" >/dev/null 2>&1 ||
  fail "the helper found no launcher window"
expected=$(printf '%s\t%s\n' 0 "$title" 201 "Install Quillmark" 202 "Install the Inkwell demo" \
  203 "Browse this disc" 204 Leave)
[ "$(cat "$work/texts.txt")" = "$expected" ] || fail "the windows read: $(cat "$work/texts.txt")"
echo "the window title and the four button names read as the brand's, the title in Japanese"

# The stub records in its ANSI code page, which it names.
demo_started() {
  [ -s "$records" ] && [ -s "$code_page" ] && python3 - "$records" "$code_page" <<'CHECK'
import sys
code_page = "cp" + open(sys.argv[2]).read().strip()
demo = "D:\\Demos\\Écritoire\\Setup.exe".encode(code_page)
want = [demo, "D:\\Demos\\Écritoire".encode(code_page), demo]
lines = open(sys.argv[1], "rb").read().splitlines()
sys.exit(0 if [line.split(b"\t") for line in lines] == [want] else 1)
CHECK
}
click_button 202 "$left" "$top"
wait_for 60 demo_started ||
  fail "button 202 didn't start D:\\Demos\\Écritoire\\Setup.exe in its folder: $(od -c "$records" | head -5)"
echo "button 202 started D:\\Demos\\Écritoire\\Setup.exe in its folder"

boxes() { xdotool search --name "^$LAUNCHER_TITLE\$" 2>/dev/null; }
box_open() { [ "$(boxes | wc -l)" -gt 1 ]; }
click_button 201 "$left" "$top"
wait_for 60 box_open || fail "no message box for the SETUP.EXE that can't start"
screenshot "$work/unable-to-execute"
for window in $(boxes); do
  [ "$(xdotool getwindowname "$window")" = "$title" ] || fail "a box is captioned otherwise"
done
# Wine's trace writes the box's text with \NNNN (hex) for each character beyond ASCII.
said=$(python3 -c 'import sys; print("".join(c if ord(c) < 128 else "\\%04x" % ord(c)
  for c in sys.argv[1].replace("%s", "D:\\\\SETUP.EXE")))' "$unable")
grep -qF "MSGBOX_OnInit L\"$said\"" "$exit_file.log" || fail "the box doesn't read: $unable"
xdotool key Return
wait_for 30 sh -c "[ \$(xdotool search --name '^$LAUNCHER_TITLE\$' | wc -l) = 1 ]" ||
  fail "Enter didn't close the box"
echo "the failed start was reported in Greek, captioned with the Japanese title"
expect_double_click_closes
