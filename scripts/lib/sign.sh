# Authenticode for the disc: LAUNCH.EXE signed with the vendor's certificate and key from a
# PKCS#12 file (osslsigncode, SHA-256), and which programs on the disc carry a signature.
# Sourced by scripts/make-disc, which defines bad_input and run_explained.

# Set by check_signing_input, used by sign_launcher. The password stays in this shell: it
# reaches the tools through a pipe on fd 3 (password_pipe), never a file or a command line.
signing_p12=""
signing_password=""
signing_timestamp=""
signing_dir=""
signer_name=""
signer_expiry=""

password_pipe() { printf '%s\n' "$signing_password"; }
# The tools' options that read it from fd 3. Neither reads an empty password from a file:
# that one goes as an empty word.
openssl_password_options() {
  if [ -n "$signing_password" ]; then echo "-passin fd:3"; else echo "-passin pass:"; fi
}
osslsigncode_password_options() {
  if [ -n "$signing_password" ]; then printf '%s\n' -readpass /dev/fd/3; else printf '%s\n' -pass ""; fi
}

# Windows names the program after its window title in the consent prompt: a brand's title
# (BRAND_TITLE, from scripts/lib/brand.sh), else Norvane's.
signed_program_name() {
  if [ -n "${BRAND_TITLE:-}" ]; then
    printf '%s\n' "$BRAND_TITLE"
  else
    sed -n 's/^.*kWindowTitle\[\] = L"\(.*\)";$/\1/p' "$root/shell/launcher_names.h"
  fi
}

readable_file() {
  [ -e "$2" ] || bad_input "$1 $2: no such file"
  [ -f "$2" ] && [ -r "$2" ] || bad_input "$1 $2: not a readable file"
}

# The certificate's common name, or its whole subject where it has none.
certificate_name() {
  local subject
  subject=$(openssl x509 -in "$1" -noout -subject -nameopt multiline,utf8,-esc_msb)
  sed -n 's/^ *commonName *= //p' <<<"$subject" | head -n 1 | grep . ||
    openssl x509 -in "$1" -noout -subject -nameopt RFC2253 | sed 's/^subject=//'
}

# Newer osslsigncode fetches the certificates' revocation lists while verifying, unless told
# not to; Debian 12's (2.5) neither does nor knows the options.
offline_verify_options() {
  osslsigncode -h 2>&1 | grep -q -- -ignore-cdp && echo "-ignore-cdp -ignore-crl"
}

public_key_of_certificate() { openssl x509 -in "$1" -noout -pubkey 2>/dev/null; }

# Opens the PKCS#12 file with the password from the first line of $2 (empty without it)
# and refuses what can't sign a program that Windows would accept today: the one line of
# bad_input for each. $3 is the time stamp server or empty. Only the certificates are
# written, into the private folder $4; the key goes through a pipe for its public half.
check_signing_input() {
  local p12=$1 password_file=$2 url=$3 line="" said option pkcs12_option=""
  signing_p12=$p12 signing_timestamp=$url signing_dir=$4
  readable_file --sign "$p12"
  case $url in
    "" | http://?* | https://?*) ;;
    *) bad_input "--timestamp $url: not an http:// or https:// address" ;;
  esac
  if [ -n "$password_file" ]; then
    readable_file --sign-password-file "$password_file"
    IFS= read -r line <"$password_file" || [ -n "$line" ] || true
    line=${line%$'\r'}
  fi
  signing_password=$line

  # Files exported by older Windows encrypt with algorithms that OpenSSL keeps apart.
  local opened=no
  for option in "" -legacy; do
    # shellcheck disable=SC2046,SC2086  # options are words; no option is no word
    said=$(openssl pkcs12 $option -in "$p12" $(openssl_password_options) -nokeys \
      -out "$signing_dir/certificates.pem" 2>&1 3< <(password_pipe)) &&
      opened=yes pkcs12_option=$option && break
    case $said in
      *"Mac verify error"*)
        [ -n "$line" ] || bad_input "--sign $p12: needs its password (--sign-password-file FILE)"
        bad_input "--sign $p12: wrong password (from $password_file)"
        ;;
      *"Type=PKCS12"* | *"not enough data"* | *"wrong tag"*)
        bad_input "--sign $p12 is not a PKCS#12 file (.p12 or .pfx)"
        ;;
    esac
  done
  [ "$opened" = yes ] || bad_input "--sign $p12: OpenSSL can't open it: $(tail -n 1 <<<"$said")"
  awk -v dir="$signing_dir" '
    /^-----BEGIN CERTIFICATE/ { n++; file = dir "/certificate" n ".pem" }
    file { print > file }
    /^-----END/ && file { close(file); file = "" }' "$signing_dir/certificates.pem"
  local certificates=("$signing_dir"/certificate[0-9]*.pem) signer="" key_public certificate
  # shellcheck disable=SC2046,SC2086  # options are words; no option is no word
  key_public=$(openssl pkcs12 $pkcs12_option -in "$p12" $(openssl_password_options) -nocerts \
    -nodes 2>/dev/null 3< <(password_pipe) | openssl pkey -pubout 2>/dev/null)
  [ -n "$key_public" ] || bad_input "--sign $p12 holds no private key"
  [ -f "${certificates[0]}" ] || bad_input "--sign $p12 holds no certificate"
  for certificate in "${certificates[@]}"; do
    [ "$(public_key_of_certificate "$certificate")" = "$key_public" ] || continue
    signer=$certificate
    break
  done
  [ -n "$signer" ] || bad_input "--sign $p12: the private key doesn't match the certificate" \
    "'$(certificate_name "${certificates[0]}")'"
  signer_name=$(certificate_name "$signer")
  local what="--sign $p12: the certificate '$signer_name'"
  openssl x509 -in "$signer" -noout -ext extendedKeyUsage 2>/dev/null | grep -q 'Code Signing' ||
    bad_input "$what is not for code signing (no code-signing extended key usage)"
  local not_before
  not_before=$(openssl x509 -in "$signer" -noout -startdate | sed 's/^notBefore=//')
  signer_expiry=$(openssl x509 -in "$signer" -noout -enddate | sed 's/^notAfter=//')
  [ "$(date -d "$not_before" +%s)" -le "$(date +%s)" ] ||
    bad_input "$what is not valid before $not_before"
  openssl x509 -in "$signer" -noout -checkend 0 >/dev/null ||
    bad_input "$what expired on $signer_expiry"
  # The signature is checked against the chain in the file, ending at a root there or
  # among the system's trusted authorities.
  cat "${certificates[@]}" /etc/ssl/certs/ca-certificates.crt >"$signing_dir/chain.pem" 2>/dev/null
}

# Writes $2, a copy of the program $1 signed with the checked certificate and key (its
# certificate chain embedded, and a countersignature of the time stamp server if one was
# given), and checks that the signature covers the copy's bytes and verifies against
# the chain. Anything else fails with the tools' words.
sign_launcher() {
  local unsigned=$1 signed=$2 rc
  local sign_command=(sign -pkcs12 "$signing_p12") option
  while IFS= read -r option; do sign_command+=("$option"); done < <(osslsigncode_password_options)
  sign_command+=(-h sha256 -n "$(signed_program_name)")
  [ -z "$signing_timestamp" ] || sign_command+=(-ts "$signing_timestamp")
  mkdir -p "$(dirname "$signed")" && rm -f "$signed" "$signed.partial" || return 1
  # osslsigncode waits for ever on a server that takes the connection and never answers.
  run_explained timeout 120 osslsigncode "${sign_command[@]}" -in "$unsigned" \
    -out "$signed.partial" 3< <(password_pipe)
  rc=$?
  if [ "$rc" != 0 ]; then
    [ "$rc" != 124 ] ||
      echo "make-disc: the time stamp server $signing_timestamp didn't answer in 120 s" >&2
    echo "make-disc: $unsigned could not be signed; no image written" >&2
    rm -f "$signed.partial"
    return 1
  fi
  # shellcheck disable=SC2046  # options are words
  run_explained osslsigncode verify $(offline_verify_options) -CAfile "$signing_dir/chain.pem" \
    -in "$signed.partial" ||
    {
      echo "make-disc: the signed $unsigned doesn't verify against the chain in $signing_p12" >&2
      rm -f "$signed.partial"
      return 1
    }
  chmod --reference="$unsigned" "$signed.partial" && mv -f "$signed.partial" "$signed" || return 1
  if [ -z "$signing_timestamp" ]; then
    echo "Signed LAUNCH.EXE as $signer_name without a time stamp: Windows stops accepting" \
      "the signature when the certificate expires ($signer_expiry); --timestamp URL avoids that."
  else
    echo "Signed LAUNCH.EXE as $signer_name, time-stamped by $signing_timestamp."
  fi
}

# "signed by NAME" where a program carries an Authenticode signature whose digest is that of
# its content, whoever issued the certificate (Windows judges the trust); "unsigned", or
# "signature doesn't match its content".
signature_of() {
  local said
  # shellcheck disable=SC2046  # options are words
  said=$(osslsigncode verify $(offline_verify_options) -in "$1" 2>&1)
  if grep -q "No signature found" <<<"$said"; then
    echo unsigned
  # A wrong PE checksum is a MISMATCH too, but Windows doesn't check it in programs.
  elif grep -Eq "(digest|DigitalSignature).*MISMATCH" <<<"$said"; then
    echo "signature doesn't match its content"
  elif grep -q "Signer's certificate:" <<<"$said"; then
    echo "signed by $(sed -n "/Signer's certificate:/,$ s/^[[:space:]]*Subject: //p" <<<"$said" |
      head -n 1 | sed 's|^.*/CN=\([^/]*\).*$|\1|')"
  else
    echo unsigned
  fi
}

# Adds a third field, the signature of each program (.exe, .dll, .msi), to the lines
# "BYTES<tab>PATH" of the files on image $1, read back from the image into folder $2.
with_signature_marks() {
  local image=$1 dir=$2 bytes path mark
  while IFS=$'\t' read -r bytes path; do
    mark=""
    case ${path,,} in
      *.exe | *.dll | *.msi)
        rm -f "$dir/program"
        xorriso -osirrox on -read_fs norock -indev "$image" -extract "/${path//\\//}" \
          "$dir/program" >/dev/null 2>&1
        if [ -f "$dir/program" ]; then mark="  $(signature_of "$dir/program")"; fi
        ;;
    esac
    printf '%s\t%s\t%s\n' "$bytes" "$path" "$mark"
  done
}
