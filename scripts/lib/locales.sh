# UTF-8 locales by name (de_DE): Wine takes the user's language and the ANSI code page from
# the locale variables, and Unix file names and arguments pass whole only in a locale that
# exists.

has_locale() { locale -a 2>/dev/null | grep -qix "$1\.utf-\?8"; }

# Makes locale $1 (as root, listed in locale.gen so that a later locale-gen keeps it).
make_locale() {
  has_locale "$1" && return 0
  [ "$(id -u)" = 0 ] || { echo "the locale $1.UTF-8 is missing; run as root to make it" >&2; return 1; }
  grep -qx "$1.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "$1.UTF-8 UTF-8" >>/etc/locale.gen
  locale-gen "$1.UTF-8" >/dev/null 2>&1 || localedef -i "$1" -f UTF-8 "$1.UTF-8" || return 1
}
