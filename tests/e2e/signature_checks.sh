# Sourced by disc_drive.sh with --sign: the image's LAUNCH.EXE verifies against the throw-away
# authority with the test certificate as signer, and holds the bytes of the unsigned build
# but for its checksum and certificate table; one changed byte fails the verification;
# WinVerifyTrust on Wine tells signed, unsigned and changed apart.
signed=$work/joliet/LAUNCH.EXE unsigned=$root/build/win32/LAUNCH.EXE changed=$work/changed.exe
said=$(osslsigncode verify -CAfile "$s/ca.pem" -in "$signed" 2>&1) ||
  fail "the image's LAUNCH.EXE doesn't verify against the authority: $said"
grep -q "Subject: /CN=Norvane Test Signer$" <<<"$said" || fail "another signer: $said"
python3 - "$unsigned" "$signed" <<'PYTHON' || fail "signing changed more than the checksum and certificate table"
import struct, sys
unsigned, signed = (open(name, "rb").read() for name in sys.argv[1:])
optional = struct.unpack_from("<I", unsigned, 0x3C)[0] + 24
directories = optional + (96 if struct.unpack_from("<H", unsigned, optional)[0] == 0x10B else 112)
allowed = set(range(optional + 64, optional + 68)) | set(range(directories + 32, directories + 40))
sys.exit(len(signed) <= len(unsigned) or
         any(a != b for at, (a, b) in enumerate(zip(unsigned, signed)) if at not in allowed))
PYTHON
python3 "$root/tests/product_file/check_launch_exe.py" "$signed" "$root/resources" ||
  fail "the signed LAUNCH.EXE fails the product-file check"
cp "$signed" "$changed" && printf 'X' | dd of="$changed" bs=1 seek=4096 conv=notrunc 2>/dev/null
osslsigncode verify -CAfile "$s/ca.pem" -in "$changed" >/dev/null 2>&1 &&
  fail "LAUNCH.EXE with one byte changed still verifies"
echo "the image's LAUNCH.EXE verifies, signed by Norvane Test Signer; one byte changed, it doesn't"

# Wine 8 doesn't judge trust in a self-signed SHA-256 chain: a signature with the right
# digest is all that is expected of the signed copy. TRUST_E_NOSIGNATURE, TRUST_E_BAD_DIGEST.
for row in "$unsigned|= 800b0100" "$signed|!= 800b0100" "$signed|!= 80096010" "$changed|= 80096010"; do
  verdict=$("$WINE" "$trust_verdict" "$("$WINE" winepath -w "${row%|*}")" 2>/dev/null | tr -d '\r')
  # shellcheck disable=SC2086  # the operator and value are words
  test "$verdict" ${row#*|} || fail "WinVerifyTrust says $verdict of ${row%|*}, expected ${row#*|}"
done
echo "WinVerifyTrust: no signature in the unsigned build, a matching one in the signed copy"
