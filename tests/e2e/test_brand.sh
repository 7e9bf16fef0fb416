# The brand of the brand disc test: its own picture, labels and colours, other texts, a
# demo path beyond ASCII, a Japanese title and a Greek failure message. Needs $root.
test_brand_title='クイルマーク CD セットアップ'
test_brand_unable='Αδύνατη η εκτέλεση του %s'
# Where scripts/test-emulated makes it and builds its 32-bit launcher, on this machine:
# the emulated one has no compilers and no fonts to draw with.
test_brand_for_vm32=$root/build/test-brand

# Writes the brand into folder $1.
make_test_brand() {
  local brand=$1
  mkdir -p "$brand"
  if [ -n "${LAUNCHER_IN_VM32:-}" ]; then
    cp -r "$test_brand_for_vm32/." "$brand/"
    return
  fi
  convert -size 360x360 radial-gradient:'rgb(40,160,90)'-'rgb(10,50,30)' \
    \( -size 360x360 xc:black -fill white -draw 'circle 180,180 180,0' \) -alpha off \
    -compose copy_opacity -composite -background 'rgb(128,128,128)' -alpha remove \
    -font DejaVu-Sans-Bold -pointsize 30 -fill white -annotate +70+90 'Quillmark' \
    -font DejaVu-Sans -pointsize 13 -fill 'rgb(230,240,200)' -gravity NorthEast \
    -annotate +152+122 'Install Quillmark' -annotate +127+175 'Install the Inkwell demo' \
    -annotate +176+216 'Browse this disc' "$brand/picture.png" || return 1
  cat >"$brand/brand.ini" <<INI
[product]
name = Quillmark
company = Quillmark Labs
version = 2.1
title = $test_brand_title
label = QUILLMARK
[demo]
path = Demos\Écritoire\Setup.exe
[buttons]
install = Install Quillmark
demo = Install the Inkwell demo
browse = Browse this disc
exit = Leave
[messages]
unable = $test_brand_unable
INI
}

# Writes into folder $1 the example brand with a Japanese edition added, whose installer
# is a program that can't start (Setup\Start.exe, which the test puts on the disc).
make_languages_brand() {
  local brand=$1
  mkdir -p "$brand" && cp -r "$root/examples/harbourlight/." "$brand/" || return 1
  sed -i 's/^languages = en-US de-DE/languages = en-US de-DE ja-JP/' "$brand/brand.ini"
  printf '%s\n' '[product.ja-JP]' 'title = ハーバーライト セットアップ' '[buttons.ja-JP]' \
    'install = ハーバーライトをインストール' '[messages.ja-JP]' 'unable = %s を開けません' \
    '[commands.ja-JP]' 'install = run Setup\Start.exe' >>"$brand/brand.ini"
}

# Stand-ins for the prefix's programs for .pdf and https, and for msiexec itself, each the
# recording STUB.EXE $1 (msiexec.exe: $2 where given). The prefixes share their programs
# (scripts/test-env): msiexec.exe is replaced, never written into, and put back on any way
# out, from the moment it is changed (`put_back_handlers`, the exit trap and the drive's
# $on_leave). Needs $work.
use_stand_in_handlers() {
  local stub=$1 installer=${2:-$1} handlers=$work/handlers
  msiexec=$WINEPREFIX/drive_c/windows/system32/msiexec.exe
  mkdir -p "$handlers"
  cp "$stub" "$handlers/reader.exe" && cp "$stub" "$handlers/browser.exe"
  old_browser=$("$WINE" reg query 'HKCR\https\shell\open\command' /ve 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *(Default) *REG_SZ *//p')
  on_leave=put_back_handlers
  trap put_back_handlers EXIT
  cp "$msiexec" "$work/msiexec.saved" && rm -f "$msiexec" && cp "$installer" "$msiexec" ||
    fail "msiexec.exe could not be replaced by the stand-in"
  [ "$(stat -c %h "$msiexec")" = 1 ] || fail "the stand-in msiexec.exe is shared with another prefix"
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;msiexec.exe=n"
  { "$WINE" reg add 'HKCR\.pdf' /ve /d LauncherTest.pdf /f &&
    stand_in_for 'HKCR\LauncherTest.pdf\shell\open\command' "$handlers/reader.exe" &&
    stand_in_for 'HKCR\https\shell\open\command' "$handlers/browser.exe"; } >/dev/null 2>&1 ||
    fail "the handlers could not be registered"
}
stand_in_for() { "$WINE" reg add "$1" /ve /d "\"$(windows_path "$2")\" \"%1\"" /f; }
put_back_handlers() {
  [ ! -f "$work/msiexec.saved" ] || { rm -f "$msiexec" && cp "$work/msiexec.saved" "$msiexec"; }
  "$WINE" reg delete 'HKCR\.pdf' /f && "$WINE" reg delete 'HKCR\LauncherTest.pdf' /f
  "$WINE" reg add 'HKCR\https\shell\open\command' /ve /d "$old_browser" /f
} >/dev/null 2>&1
