# The signature checks of disc_drive.sh with --sign: against the authority, byte by byte
# against the unsigned build, with one byte changed, and by WinVerifyTrust on Wine.
signed=$work/joliet/LAUNCH.EXE unsigned=$root/build/win32/LAUNCH.EXE changed=$work/changed.exe
said=$(osslsigncode verify -CAfile "$s/ca.pem" -in "$signed" 2>&1) ||
  fail "the image's LAUNCH.EXE doesn't verify against the authority: $said"
grep -q "Subject: /CN=Norvane Test Signer$" <<<"$said" || fail "another signer: $said"
# Signing changes the header's checksum and certificate table entry (at 64 and 128 in the
# PE32 optional header) and appends the table: any other difference is a fault.
header=$(($(od -An -tu4 -j60 -N4 "$unsigned") + 24))
[ -z "$(cmp -l "$unsigned" "$signed" 2>/dev/null | awk -v h="$header" '{ at = $1 - 1 - h }
  at < 64 || at >= 136 || (at >= 68 && at < 128)')" ] ||
  fail "signing changed more than the checksum and certificate table"
python3 "$root/tests/product_file/check_launch_exe.py" "$signed" "$root/resources" ||
  fail "the signed LAUNCH.EXE fails the product-file check"
cp "$signed" "$changed" && printf 'X' | dd of="$changed" bs=1 seek=4096 conv=notrunc 2>/dev/null
osslsigncode verify -CAfile "$s/ca.pem" -in "$changed" >/dev/null 2>&1 &&
  fail "LAUNCH.EXE with one byte changed still verifies"
echo "the image's LAUNCH.EXE verifies, signed by Norvane Test Signer; one byte changed, it doesn't"

# Wine 8 doesn't judge trust in a self-signed SHA-256 chain: a signature with the right
# digest is all that is expected of the signed copy. TRUST_E_NOSIGNATURE, TRUST_E_BAD_DIGEST.
read -r unsigned_says signed_says changed_says <<<"$("$WINE" "$trust_verdict" \
  "$(windows_path "$unsigned")" "$(windows_path "$signed")" "$(windows_path "$changed")" \
  2>/dev/null | tr -d '\r' | paste -sd' ')"
[ "$unsigned_says" = 800b0100 ] && [ "$signed_says" != 800b0100 ] &&
  [ "$signed_says" != 80096010 ] && [ "$changed_says" = 80096010 ] ||
  fail "WinVerifyTrust says ${unsigned_says:-nothing} of the unsigned build (expected 800b0100)," \
    "${signed_says:-nothing} of the signed copy (expected a matching digest)," \
    "${changed_says:-nothing} of the changed one (expected 80096010)"
echo "WinVerifyTrust: no signature in the unsigned build, a matching one in the signed copy"
