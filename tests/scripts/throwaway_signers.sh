# A throw-away certificate authority and code-signing certificates from it, made with
# openssl for each test run (nothing that could sign anything real is committed).
# make_throwaway_signers DIR writes into DIR: ca.pem, the authority; signer.p12, the
# certificate "Norvane Test Signer" with its key and the authority, under the password in
# the file password; and, without password, not-code-signing.p12 (for servers),
# expired.p12, not-yet-valid.p12 and other-key.p12 (a key and a certificate of another).
# In the emulated machine they are copied from where scripts/test-emulated made them on
# this one: its emulated processor takes half a minute for the five RSA keys.
throwaway_signers_for_vm32=${root:-.}/build/vm32-signers
make_throwaway_signers() (
  if [ -n "${LAUNCHER_IN_VM32:-}" ]; then
    cp -r "$throwaway_signers_for_vm32/." "$1/"
    exit
  fi
  cd "$1" && mkdir -p issued && : >index && echo 1000 >serial || exit 1
  printf '%s\n' "[ca]" "default_ca = test" "[test]" "database = index" "serial = serial" \
    "new_certs_dir = issued" "default_md = sha256" "policy = any" "unique_subject = no" \
    "[any]" "commonName = supplied" "[code]" "extendedKeyUsage = codeSigning" \
    "[server]" "extendedKeyUsage = serverAuth" >ca.cnf
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
    -subj "/CN=Norvane Throw-away Test CA" -addext basicConstraints=critical,CA:true 2>/dev/null
  at() { date -u -d "$1" +%Y%m%d%H%M%SZ; }
  # issue NAME EXTENSIONS FROM UNTIL [p12 options]
  issue() {
    openssl req -new -newkey rsa:2048 -nodes -keyout "$1.key" -subj "/CN=Norvane Test Signer" \
      -out "$1.csr" 2>/dev/null &&
      openssl ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -extensions "$2" -notext \
        -startdate "$(at "$3")" -enddate "$(at "$4")" -in "$1.csr" -out "$1.pem" 2>/dev/null &&
      openssl pkcs12 -export -inkey "$1.key" -in "$1.pem" -certfile ca.pem -out "$1.p12" "${@:5}"
  }
  printf 'correct horse\n' >password
  issue signer code "-1 hour" "+2 days" -passout file:password
  issue not-code-signing server "-1 hour" "+2 days" -passout pass:
  issue expired code "-3 days" "-1 day" -passout pass:
  issue not-yet-valid code "+1 day" "+3 days" -passout pass:
  # A file holding one key with the certificate of another: the certificate's bytes swapped
  # for those of an equally long one in a file without encryption or MAC.
  issue other-key code "-1 hour" "+2 days" -passout pass: -keypbe NONE -certpbe NONE -nomac
  openssl x509 -in other-key.pem -outform DER -out own.der
  openssl x509 -in signer.pem -outform DER -out other.der
  python3 -c 'import sys; p, own, other = (open(f, "rb").read() for f in sys.argv[1:])
assert len(own) == len(other) and own in p
open(sys.argv[1], "wb").write(p.replace(own, other))' other-key.p12 own.der other.der
)
