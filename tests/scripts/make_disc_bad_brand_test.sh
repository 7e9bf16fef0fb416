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
layout() { printf '[layout]\n%s\n' "$@" >>brand.ini; }
places() { printf '[places]\n%s\n' "$@" >>brand.ini; }
installed() { printf '[product]\ninstalled = %s\n' "$@" >>brand.ini; }  # [product] again adds to it
when_installed() { printf '[%s.installed]\n%s\n' "$1" "${@:2}" >>brand.ini; }
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
  "echo '[colours]' >>brand.ini|brand.ini line 16: unknown section [colours]; the sections are [product], [demo], [buttons], [messages], [commands], [layout], [places], [buttons.installed], [commands.installed], and [product.TAG], [buttons.TAG], [messages.TAG], [commands.TAG], [places.TAG], [buttons.installed.TAG], [commands.installed.TAG] for a listed language"
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
  "commands 'install = start Setup.exe'|brand.ini: [commands] install: 'start Setup.exe': start is only for [commands.installed]"
  "commands 'demo = none'|brand.ini: [demo] path and [commands] demo both say what button 202 does; keep one"
  "commands 'browse = web https://'|brand.ini: [commands] browse: 'https://' is no https:// address with a host"
  "commands 'install = run ..\\Setup.exe'|brand.ini: [commands] install: '..\\Setup.exe': '..': an empty name, . or .. can't be on the disc"
  "commands 'install = run C:\\Setup.exe'|brand.ini: [commands] install: 'C:\\Setup.exe': must be a Windows path on the disc, with backslashes and no drive"
  "commands 'browse = open Manual\\guide'|brand.ini: [commands] browse: 'Manual\\guide': open takes a document (.pdf, .html, .txt...); programs are run"
  "sed -i '/^\\[demo\\]/d; /^path/d' brand.ini; commands 'install = none' 'demo = none' 'browse = none'|brand.ini: every command of en-US is none; at least one button stays"
  "commands 'browse = open Manual\\guide.pdf'|'Manual\\guide.pdf', which a button runs or opens, is not on the disc; give it with --setup, --demo or --add"
  "commands 'browse = browse Karten'|'Karten', which a button shows, is not a folder on the disc; give it with --add or in the brand's disc/"
  "layout 'size = 100x300'|brand.ini: [layout] size '100x300' must be WIDTHxHEIGHT at 100 %, 200 to 720 each (400x300)"
  "layout 'corners = 8'|brand.ini line 17: unknown key 'corners' in [layout]; the keys are size, shape, labels, font, points, colour, shadow, entries"
  "layout 'entries = install Manual'|brand.ini: [layout] entries: 'Manual' is no entry name: install, demo, browse, or 1 to 12 lower-case letters of your own"
  "layout 'entries = install demo browse one two three four'|brand.ini: [layout] entries: 7 entries; the launcher takes 1 to 6 besides exit"
  "places 'exit = 330,10'|brand.ini: [places] exit 330,10: its 42x42 button leaves the picture's ellipse"
  "places 'exit = 210,100'|brand.ini: [places] exit 210,100: its button overlaps install's"
  "layout 'entries = install manual'; places 'manual = 230,160 left'; commands 'manual = browse'|brand.ini: [buttons] manual is missing"
  "layout 'entries = install manual'; places 'manual = 230,160 left'; sed -i '/^exit =/a manual = Read the manual' brand.ini|brand.ini: [commands] manual is missing"
  "layout 'labels = drawn'; set_key install 'Install Quillmark and every one of its many parts'|brand.ini: en-US's label of install, 'Install Quillmark and every one of its many parts', is 328 px wide in 10 points; left of its button at 217,109 there is room for 201 px"
  "sed -i '/^label/a languages = en-US ar-SA' brand.ini; layout 'labels = drawn'; printf '[buttons.ar-SA]\\ninstall = تثبيت كويلمارك وجميع أجزائه الكثيرة\\n' >>brand.ini|brand.ini: ar-SA's label of install, 'تثبيت كويلمارك وجميع أجزائه الكثيرة', is 202 px wide in 10 points; right of its button at 101,109 there is room for 201 px"
  "layout 'shape = picture'|picture.png has no alpha channel: with [layout] shape = picture, the window is its opaque pixels"
  "when_installed buttons 'install = Start Quillmark'|brand.ini: [product] installed is missing: what tells that the product is installed, for [product] uninstall, [buttons.installed] and [commands.installed]"
  "installed 'msi {8A4C1E2B-1234-4D5E-9F00-0123456789A}'|brand.ini: [product] installed '{8A4C1E2B-1234-4D5E-9F00-0123456789A}' is no product code: 8-4-4-4-12 hex digits in braces, {8A4C1E2B-1234-4D5E-9F00-0123456789AB}"
  "installed 'file {Foo}\\Quillmark\\Quill.exe'|brand.ini: [product] installed '{Foo}\\Quillmark\\Quill.exe': {Foo} is no known folder; they are {ProgramFiles}, {ProgramFilesX86}, {LocalAppData}, {CommonAppData}"
  "installed 'msi {8A4C1E2B-1234-4D5E-9F00-0123456789AB}'; when_installed commands 'install = start {ProgramFiles}\\..\\Quill.exe'|brand.ini: [commands.installed] install: '{ProgramFiles}\\..\\Quill.exe': an empty name, . or .. can't be in the path"
  "installed 'file {LocalAppData}\\Quillmark\\Quill.exe'; when_installed commands 'demo = remove'|brand.ini: [commands.installed] demo: remove needs [product] installed = msi {PRODUCT-CODE}, or installed = file with [product] uninstall = the key name of its Uninstall entry"
  "installed 'msi {8A4C1E2B-1234-4D5E-9F00-0123456789AB}'; when_installed commands 'browse = none'|brand.ini: [commands.installed] browse: none can't be in [commands.installed]: a button can't come or go while the launcher is open"
  "installed 'msi {8A4C1E2B-1234-4D5E-9F00-0123456789AB}'; echo 'uninstall = Quillmark' >>brand.ini|brand.ini: [product] uninstall goes with installed = file; a Windows Installer product is removed by its product code"
  "installed 'msi {8A4C1E2B-1234-4D5E-9F00-0123456789AB}'; when_installed buttons 'install = Start Quillmark'|picture.installed.png is missing: the labels are painted in the picture, and the installed names need a picture that shows them"
  "installed 'msi {8A4C1E2B-1234-4D5E-9F00-0123456789AB}'; commands 'browse = none'; when_installed commands 'browse = browse'|brand.ini: [commands.installed] browse: en-US's browse is none, so it has no command when installed either"
  "places 'exit = 248,42'; convert -size 100x40 xc:red install.png|install.png is 100x40: three square frames side by side, (3S+1)x(S+1) for a side S of 24 to 96 (127x43)"
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
disagreements() {  # TABLE PROBLEM: the rows PROBLEM(text), a Python call, takes otherwise
  (cd "$root/tools" && python3 -c "import sys; from branding import commands, installed
for text, _, kind in (row.rstrip('\n').partition('\t') for row in open(sys.argv[1], encoding='utf-8')):
    if kind and ($2 is None) != (kind != 'malformed'): print(repr(text), kind)
" "$root/tests/data/$1")
}
check "the command forms, as the launcher takes them" "" \
  "$(disagreements command_forms.tsv 'commands.problem(text)')"
check "the commands once installed" "" \
  "$(disagreements installed_command_forms.tsv 'installed.command_problem(text, True)')"

checks_summary
