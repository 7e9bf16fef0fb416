# A vendor's brand (scripts/make-disc --brand DIR, scripts/run --brand DIR): brand.ini and
# the art beside it, converted by tools/brand.py into resources that replace the tested
# launcher's own in a copy, build/brand-ARCH/LAUNCH.EXE. Needs $root.

# The demo installer's place on the disc, as the string table and AutoRun name it and as
# the disc's folders hold it. Norvane's unless a brand says otherwise.
# Empty for a brand whose commands start no demo from [demo] path.
DEMO_PATH='Demos\Ravelcog\Setup.exe'
demo_disc_path() { printf '%s' "${DEMO_PATH//\\//}"; }

# The brand's languages (BRAND_LANGUAGES, from brand.env) run in their locales: $1 is one
# of them or empty (the user's). Sets LAUNCHER_LANGUAGE and LAUNCHER_TITLE's language.
choose_brand_language() {
  local tag=$1 title
  [ -n "$tag" ] || return 0
  [[ " $BRAND_LANGUAGES " == *" $tag "* ]] ||
    { echo "--language $tag: the brand's languages are $BRAND_LANGUAGES" >&2; return 2; }
  LAUNCHER_LANGUAGE=$tag
  title=BRAND_TITLE_${tag//-/_}
  BRAND_TITLE=${!title}
}

# The locale whose user language is TAG (de-AT: de_AT.UTF-8), made if missing.
language_locale() {
  . "$root/scripts/lib/locales.sh"
  make_locale "${1//-/_}" >&2 || return 1
  printf '%s.UTF-8' "${1//-/_}"
}

# tools/brand.py on Debian's Python, whose Pillow (python3-pil) measures drawn labels:
# another python3 first on PATH may lack it. This repository's discs convert their art
# with ImageMagick, as they always have (the vendor's kit with Pillow: branding/imaging.py).
brand_python() {
  local python=/usr/bin/python3
  [ -x "$python" ] || python=python3
  BRAND_IMAGES=imagemagick "$python" "$@"
}
brand_tool() { brand_python "$root/tools/brand.py" "$@"; }

# Checks the brand folder $1 without writing anything: one line per problem, exit code 2.
check_brand() {
  brand_tool check "$1"
}

# The converted brand's names (brand.env, from tools/brand.py) as the scripts use them.
use_brand_names() {
  BRAND_PICTURE_SIZE=""
  # shellcheck disable=SC1091  # written by tools/brand.py
  . "$BRAND_RESOURCES/brand.env"
  choose_brand_language "${LAUNCHER_LANGUAGE:-}" || return 2
  VOLUME_LABEL=$BRAND_LABEL
  DEMO_PATH=$BRAND_DEMO_PATH
  # What the end-to-end helpers look the window up by: a pattern of the brand's title.
  LAUNCHER_TITLE=$(printf '%s' "$BRAND_TITLE" | sed 's/[][\.*^$+?(){}|]/\\&/g')
}

# Converts brand $1 and writes its launcher for $2 (win32 or win64) from the built
# build/$2/LAUNCH.EXE: sets BRAND_LAUNCHER (the written LAUNCH.EXE), BRAND_RESOURCES (with
# AUTORUN.INF), VOLUME_LABEL, DEMO_PATH and LAUNCHER_TITLE.
# Each converted picture, each sound and the built string table go through the launcher's
# own readers built for this machine (tools/brand_check.cpp) before the launcher is used.
# Checks one converted set of pictures in folder $1 at the size of suffix $2 ("" or @2x)
# with the shared mask, and the files after them; needs $checker and $BRAND_RESOURCES. A
# brand's own design (BRAND_PICTURE_SIZE) has its picture's size, up to seven faces, each
# with its own mask, and may have an outline.
check_brand_set() {
  local art=("$1"/face20[1-4]"$2".bmp)
  if [ -n "${BRAND_PICTURE_SIZE:-}" ]; then
    art=("$1"/face2[01][0-9]"$2".bmp "$1"/mask2[23][0-9]"$2".bmp)
    [ ! -f "$1/outline$2.bmp" ] || art+=("$1/outline$2.bmp")
  fi
  "$checker" ${BRAND_PICTURE_SIZE:+--picture "$BRAND_PICTURE_SIZE"} "$BRAND_RESOURCES/strings.bin" \
    "$1/background$2.bmp" "$BRAND_RESOURCES/mask$2.bmp" "${art[@]}" "${@:3}" || return 1
  # The installed state's picture, where the brand has one, read as the picture is.
  [ ! -f "$1/installed$2.bmp" ] ||
    "$checker" ${BRAND_PICTURE_SIZE:+--picture "$BRAND_PICTURE_SIZE"} \
      "$BRAND_RESOURCES/strings.bin" "$1/installed$2.bmp" "$BRAND_RESOURCES/mask$2.bmp"
}

# LAUNCHER_BRAND_BUILD names the folders another brand is built in beside the first
# (build/brand-resources-NAME, build/brand-ARCH-NAME), so two tests' brands can be ready at once.
brand_resources_dir() { echo "$root/build/brand-resources${LAUNCHER_BRAND_BUILD:+-$LAUNCHER_BRAND_BUILD}"; }
build_brand() {
  local brand=$1 arch=$2 checker=$root/build/brand-check/brand_check
  local build=$root/build/brand-$2${LAUNCHER_BRAND_BUILD:+-$LAUNCHER_BRAND_BUILD}
  BRAND_RESOURCES=$(brand_resources_dir)
  BRAND_LAUNCHER=$build/LAUNCH.EXE
  # Inside the emulated machine of scripts/vm32 there are no compilers: the host converted
  # and built the brand there before it started the machine.
  if [ -n "${LAUNCHER_IN_VM32:-}" ]; then
    use_brand_names
    return
  fi
  # No compiler: the tested LAUNCH.EXE of this architecture with the brand's resources.
  local tested=$root/build/$arch/LAUNCH.EXE
  [ -f "$tested" ] || { echo "make-disc: $tested isn't built" >&2; return 1; }
  mkdir -p "$root/build" "$(dirname "$checker")" "$build"
  brand_tool prepare "$brand" "$BRAND_RESOURCES" "$tested" || return 2
  use_brand_names
  cp -f "$BRAND_RESOURCES/LAUNCH.EXE" "$BRAND_LAUNCHER" || return 1
  # Windows reads the launcher whole from the disc before it starts: it keeps to 1.5 MiB,
  # tools/brand.py leaving out other languages' 2x art that doesn't fit, unless even their
  # 1x art (about 0.15 MiB a language with its own picture) doesn't.
  local bytes
  bytes=$(stat -c %s "$BRAND_LAUNCHER")
  [ "$bytes" -le $((1536 * 1024)) ] || echo "make-disc: note: the brand's LAUNCH.EXE is" \
    "$bytes bytes, over 1.5 MiB: it starts later from a slow disc" >&2
  local readers=("$root/tools/brand_check.cpp" "$root/media/dib.cpp"
    "$root/media/string_block.cpp" "$root/media/wave_image.cpp") reader rebuild=""
  [ -x "$checker" ] || rebuild=yes
  for reader in "${readers[@]}" "$root"/media/{dib,string_block,wave_image}.h; do
    [ "$checker" -nt "$reader" ] || rebuild=yes
  done
  if [ -n "$rebuild" ]; then
    c++ -std=c++17 -O1 -Wall -Wextra -I"$root" -o "$checker" "${readers[@]}" || return 1
  fi
  brand_tool strings "$BRAND_LAUNCHER" "$brand" >"$BRAND_RESOURCES/strings.bin" &&
    check_brand_set "$BRAND_RESOURCES" "" "$BRAND_RESOURCES"/*.wav &&
    check_brand_set "$BRAND_RESOURCES" @2x ||
    { echo "make-disc: the brand's launcher doesn't load as built" >&2; return 1; }
  local own
  for own in "$BRAND_RESOURCES"/*/background.bmp; do
    [ -f "$own" ] || continue
    own=$(dirname "$own")
    { check_brand_set "$own" "" &&
      { [ ! -f "$own/background@2x.bmp" ] || check_brand_set "$own" @2x; }; } ||
      { echo "make-disc: the brand's $(basename "$own") pictures don't load as built" >&2; return 1; }
  done
}
