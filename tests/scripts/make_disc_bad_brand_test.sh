#!/usr/bin/env bash
# scripts/make-disc --brand refuses each kind of bad brand with one line per problem on
# standard error and exit code 2, before anything is converted or built: an image already
# at --out stays as it was, and no file appears anywhere.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
. "$root/tests/scripts/checks.sh"

good=$work/good
mkdir -p "$good" "$work/out"
convert -size 360x360 xc:navy "$good/picture.png"
cat >"$good/brand.ini" <<'INI'
[product]
name = Quillmark        ; ProductName
company = Quillmark Labs
version = 2.1
title = Quillmark CD Setup
label = QUILLMARK
[demo]
path = Demos\Inkwell\Setup.exe
[buttons]
install = Install Quillmark
demo = Install the Inkwell demo
browse = Browse this disc
exit = Exit
[messages]
unable = Unable to execute %s
INI
echo "an image from an earlier run" >"$work/out/disc.iso"
cp "$work/out/disc.iso" "$work/earlier-image"
float_wave() {  # a WAVE of 32-bit floats: format tag 3
  printf 'RIFF\044\0\0\0WAVEfmt \020\0\0\0\003\0\001\0\100\037\0\0\0\175\0\0\004\0\040\0data\0\0\0\0'
}
pcm16() { printf 'fmt \020\0\0\0\001\0\001\0\100\037\0\0\200\076\0\0\002\0\020\0'; }  # mono, 8000 Hz
set_key() { sed -i "s|^$1 = .*|$1 = $2|" brand.ini; }
commands() { printf '[commands]\n%s\n' "$@" >>brand.ini; }
known=$(cd "$root/tools" && python3 -c 'from branding.languages import LANGUAGES; print(*LANGUAGES)')

# what is done to a copy of the good brand | what make-disc says, one line per problem
cases=(
  "rm brand.ini|brand.ini is missing"
  "rm picture.png|picture.png is missing: the launcher's round picture, 360x360"
  "convert -size 300x360 xc:red picture.png|picture.png is 300x360, must be 360x360"
  "convert -size 127x42 xc:red exit.png|exit.png is 127x42, must be 127x43"
  "echo text >icon.png|icon.png can't be read as a picture"
  "convert -size 360x360 xc:red picture@2x.png|picture@2x.png is 360x360, must be 720x720"
  "convert -size 254x86 xc:red exit@2x.png|exit@2x.png needs exit.png beside it: the launcher shows the 1x art at 100 %"
  "sed -i '/^label/a languages = en-US de-DE' brand.ini; convert -size 360x360 xc:red picture.de-DE.png; convert -size 720x360 xc:red picture.de-DE@2x.png|picture.de-DE@2x.png is 720x360, must be 720x720"
  "float_wave >press.wav|press.wav is not PCM (8 or 16 bits, 1 or 2 channels, 1000 to 192000 Hz)"
  "{ printf 'RIFF\047\0\0\0WAVE'; pcm16; printf 'data\003\0\0\0abc'; } >ready.wav|ready.wav has data of 3 bytes, not whole blocks of 2"
  "{ printf 'RIFF\046\0\0\0WAVEdata\002\0\0\0ab'; pcm16; } >close.wav|close.wav has no 'fmt ' chunk followed by a 'data' chunk in its RIFF chunk"
  "{ printf 'RIFF\034\0\0\0WAVE'; pcm16; printf 'data\002\0\0\0ab'; } >release.wav|release.wav has no 'fmt ' chunk followed by a 'data' chunk in its RIFF chunk"
  "echo RIFF >open.wav|open.wav is not a RIFF WAVE file"
  "echo '[colours]' >>brand.ini|brand.ini line 16: unknown section [colours]; the sections are [product], [demo], [buttons], [messages], [commands], and [product.TAG], [buttons.TAG], [messages.TAG], [commands.TAG] for a listed language"
  "sed -i 's/^browse =/brwose =/' brand.ini|brand.ini line 12: unknown key 'brwose' in [buttons]; the keys are install, demo, browse, exit
brand.ini: [buttons] browse is missing"
  "sed -i '/^exit =/d' brand.ini|brand.ini: [buttons] exit is missing"
  "echo 'exit = Leave' >>brand.ini|brand.ini line 16: unknown key 'exit' in [messages]; the keys are unable"
  "set_key unable 'Unable to run'|brand.ini: [messages] unable 'Unable to run' must hold exactly one %s (the command line) and no other %"
  "set_key unable '%s failed: 100%%'|brand.ini: [messages] unable '%s failed: 100%%' must hold exactly one %s (the command line) and no other %"
  "set_key path 'D:\\\\Demos\\\\Setup.exe'|brand.ini: [demo] path 'D:\\Demos\\Setup.exe': must be a relative Windows path with backslashes (Demos\\Inkwell\\Setup.exe)"
  "set_key path 'Demos\\\\In?k\\\\Setup.exe'|brand.ini: [demo] path 'Demos\\In?k\\Setup.exe': 'In?k': < > : \" / \\ | ? * ; can't be in a name on the disc"
  "set_key path 'SETUP.EXE'|brand.ini: [demo] path 'SETUP.EXE': 'SETUP.EXE' is the launcher's own file on the disc"
  "set_key label quillmark|brand.ini: [product] label 'quillmark': a disc's volume label is 1 to 16 of the capitals A-Z, the digits 0-9 and _"
  "set_key title $(printf 'T%.0s' {1..80})|brand.ini: [product] title is 80 characters long; the launcher holds at most 79"
  "set_key version 2.x|brand.ini: [product] version '2.x' must be 1 to 4 numbers from 0 to 65535 with dots between (2.1)"
  "printf '\\377\\n' >>brand.ini|brand.ini is not UTF-8"
  "sed -i '/^label/a languages = en-US xx-YY' brand.ini|brand.ini: [product] languages: 'xx-YY' is not a language this tool knows; it knows $known"
  "sed -i '/^label/a languages = en-US de-DE en-US' brand.ini|brand.ini: [product] languages: en-US is listed twice"
  "printf '[buttons.fr-FR]\\nexit = Sortir\\n' >>brand.ini|brand.ini line 16: [buttons.fr-FR]: fr-FR is not in [product] languages"
  "convert -size 360x360 xc:red picture.de-DE.png|picture.de-DE.png: de-DE is not in [product] languages"
  "commands 'install = start Setup.exe'|brand.ini: [commands] install: 'start Setup.exe' is none of run PATH, open PATH, web URL, browse, browse PATH or none (one space after the word)"
  "commands 'demo = none'|brand.ini: [demo] path and [commands] demo both say what button 202 does; keep one"
  "commands 'browse = web https://'|brand.ini: [commands] browse: 'https://' is no https:// address with a host"
  "commands 'install = run ..\\Setup.exe'|brand.ini: [commands] install: '..\\Setup.exe': '..': an empty name, . or .. can't be on the disc"
  "commands 'install = run C:\\Setup.exe'|brand.ini: [commands] install: 'C:\\Setup.exe': must be a Windows path on the disc, with backslashes and no drive"
  "commands 'browse = open Manual\\guide'|brand.ini: [commands] browse: 'Manual\\guide': open takes a document (.pdf, .html, .txt...); programs are run"
  "sed -i '/^\\[demo\\]/d; /^path/d' brand.ini; commands 'install = none' 'demo = none' 'browse = none'|brand.ini: every command of en-US is none; at least one button stays"
  "commands 'browse = open Manual\\guide.pdf'|'Manual\\guide.pdf', which a button runs or opens, is not on the disc; give it with --setup, --demo or --add"
  "commands 'browse = browse Karten'|'Karten', which a button shows, is not a folder on the disc; give it with --add or in the brand's disc/"
)
for row in "${cases[@]}"; do
  change=${row%%|*}
  said=$(sed "s|^|make-disc: --brand $work/brand: |" <<<"${row#*|}")
  rm -rf "$work/brand" && cp -r "$good" "$work/brand"
  (cd "$work/brand" && eval "$change")
  touch "$work/before"
  sleep 1  # the check below compares modification times, which have whole seconds on some file systems
  timeout 300 "$root/scripts/make-disc" --brand "$work/brand" --out "$work/out/disc.iso" \
    >"$work/stdout" 2>"$work/stderr"
  check "$change: exit code" 2 "$?"
  check "$change: what it says" "$said" "$(cat "$work/stderr")"
  check "$change: nothing on standard output" 0 "$(wc -c <"$work/stdout")"
  check "$change: the earlier image" unchanged \
    "$(cmp -s "$work/earlier-image" "$work/out/disc.iso" && echo unchanged)"
  check "$change: files written" "" "$(find "$work" "$root"/build/brand-* "$root"/build/*.iso \
    -newer "$work/before" -type f ! -name stdout ! -name stderr 2>/dev/null)"
done

# The launcher's test reads the same table: make-disc refuses exactly what it refuses.
disagreements=$(cd "$root/tools" && python3 -c 'import sys; from branding.commands import problem
for text, _, kind in (row.rstrip("\n").partition("\t") for row in open(sys.argv[1], encoding="utf-8")):
    if kind and (problem(text) is None) != (kind != "malformed"): print(repr(text), kind)
' "$root/tests/data/command_forms.tsv")
check "the command forms, as the launcher takes them" "" "$disagreements"

checks_summary
