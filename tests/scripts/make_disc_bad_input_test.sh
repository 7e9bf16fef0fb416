#!/usr/bin/env bash
# scripts/make-disc refuses each kind of bad input with one line on standard error and
# exit code 2, and leaves nothing behind: an image already at --out stays as it was, and
# no new or temporary file appears anywhere. Plain shell: the refusals come before
# anything is built.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
. "$root/tests/scripts/checks.sh"
. "$root/tests/scripts/throwaway_signers.sh"

in=$work/in
mkdir -p "$in/deep/1/2/3/4/5/6/7/8" "$in/reserved" "$in/clash" "$in/cased/demos" "$work/out"
echo "release notes" >"$in/notes.txt"
# A DOS program: the MZ header, but no PE header where it points (0x40).
{ printf 'MZ'; head -c 58 /dev/zero; printf '\100\000\000\000'; head -c 64 /dev/zero; } >"$in/dos.exe"
echo x >"$in/deep/1/2/3/4/5/6/7/8/too-deep.txt"
echo x >"$in/reserved/what?.txt"
echo x >"$in/clash/setup.exe"
echo x >"$in/cased/demos/other.txt"
echo "an image from an earlier run" >"$work/out/norvane-disc.iso"
cp "$work/out/norvane-disc.iso" "$work/earlier-image"
s=$work/signers
mkdir "$s" && make_throwaway_signers "$s" || exit 1
printf 'wrong horse' >"$s/wrong-password"

# arguments (after --out into a folder holding an earlier image) | start of the one line
cases=(
  "--setup $in/absent.exe|make-disc: --setup $in/absent.exe: no such file"
  "--demo $in|make-disc: --demo $in: not a readable file"
  "--setup $in/notes.txt|make-disc: --setup $in/notes.txt is not a Windows program (no MZ header)"
  "--demo $in/dos.exe|make-disc: --demo $in/dos.exe is not a Windows program (no PE header)"
  "--add $in/reserved|make-disc: --add $in/reserved: 'what?.txt': < > : \" \\ "
  "--add $in/clash|make-disc: --add: 'SETUP.EXE' and 'setup.exe' would be one name on the disc"
  "--add $in/cased|make-disc: --add: 'Demos' and 'demos' would be one name on the disc"
  "--add $in/deep|make-disc: --add $in/deep: '1/2/3/4/5/6/7/8': folders on the disc are at most 8 levels deep"
  "--add $in/absent|make-disc: --add $in/absent: no such folder"
  "--out $work/absent/disc.iso|make-disc: --out $work/absent/disc.iso: no such folder"
  "--out $work/out|make-disc: --out $work/out is a folder"
  "--out /proc/norvane-disc.iso|make-disc: --out /proc/norvane-disc.iso: can't write in /proc"
  "--label NORVANE|make-disc: unknown argument '--label'"
  "--scale 150|make-disc: --scale goes with --preview"
  "--sign $s/absent.p12|make-disc: --sign $s/absent.p12: no such file"
  "--sign $s/signer.p12 --sign-password-file $s/absent|make-disc: --sign-password-file $s/absent: no such file"
  "--timestamp http://127.0.0.1:1/|make-disc: --sign-password-file and --timestamp go with --sign"
  "--sign $s/ca.pem|make-disc: --sign $s/ca.pem is not a PKCS#12 file"
  "--sign $s/signer.p12|make-disc: --sign $s/signer.p12: needs its password (--sign-password-file"
  "--sign $s/signer.p12 --sign-password-file $s/wrong-password|make-disc: --sign $s/signer.p12: wrong password"
  "--sign $s/not-code-signing.p12|make-disc: --sign $s/not-code-signing.p12: the certificate 'Norvane Test Signer' is not for code signing"
  "--sign $s/expired.p12|make-disc: --sign $s/expired.p12: the certificate 'Norvane Test Signer' expired on"
  "--sign $s/not-yet-valid.p12|make-disc: --sign $s/not-yet-valid.p12: the certificate 'Norvane Test Signer' is not valid before"
  "--sign $s/other-key.p12|make-disc: --sign $s/other-key.p12: the private key doesn't match the certificate"
)
for row in "${cases[@]}"; do
  IFS='|' read -r arguments said <<<"$row"
  touch "$work/before"
  # shellcheck disable=SC2086  # the arguments are words without spaces
  timeout 300 "$root/scripts/make-disc" --out "$work/out/norvane-disc.iso" $arguments \
    >"$work/stdout" 2>"$work/stderr"
  check "$arguments: exit code" 2 "$?"
  check "$arguments: one line on standard error" 1 "$(wc -l <"$work/stderr")"
  check "$arguments: what it says" "$said" "$(head -c ${#said} "$work/stderr")"
  check "$arguments: nothing on standard output" 0 "$(wc -c <"$work/stdout")"
  check "$arguments: the earlier image" unchanged \
    "$(cmp -s "$work/earlier-image" "$work/out/norvane-disc.iso" && echo unchanged)"
  check "$arguments: files left behind" "" \
    "$(find "$work" -newer "$work/before" -type f ! -name stdout ! -name stderr)"
done

checks_summary
