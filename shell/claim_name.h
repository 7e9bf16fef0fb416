#pragma once
// The name of the object that marks a product's launcher as open: Local\ and the
// product's title. The platform refuses a backslash after the namespace, so a title with
// backslashes has each one replaced by a slash and a hash of the whole title appended:
// "AC\DC Setup" never meets a product called "AC/DC Setup". A title without one is used
// as it is. Plain code, no platform.
#include <cstddef>

constexpr size_t kClaimTitleSize = 80;  // the window title's buffer
// "Local\", the title, "#" and 8 hex digits, the terminator.
constexpr size_t kClaimNameSize = 6 + kClaimTitleSize + 9 + 1;
using ClaimName = wchar_t[kClaimNameSize];

// `title` is read up to its terminator or kClaimTitleSize characters.
void FormClaimName(ClaimName& name, const wchar_t* title);
