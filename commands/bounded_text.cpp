#include "commands/bounded_text.h"

template <typename Char>
size_t BoundedLength(const Char* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != Char()) ++length;
  return length;
}

template <typename Char>
BasicBoundedText<Char>::BasicBoundedText(Char* buffer, size_t size, Start start)
    : buffer_(buffer), size_(size) {
  if (start == Start::AfterExisting) length_ = BoundedLength(buffer, size);
  if (length_ == size) {
    --length_;
    cut_ = true;
  }
  buffer_[length_] = Char();
}

template <typename Char>
BasicBoundedText<Char>& BasicBoundedText<Char>::Append(const Char* text, size_t length) {
  for (size_t i = 0; i < length && text[i] != Char(); ++i) Append(text[i]);
  return *this;
}

template <typename Char>
BasicBoundedText<Char>& BasicBoundedText<Char>::Append(const Char* text) {
  while (*text != Char()) Append(*text++);
  return *this;
}

template <typename Char>
BasicBoundedText<Char>& BasicBoundedText<Char>::Append(Char c) {
  if (length_ + 1 >= size_) {
    cut_ = true;
    return *this;
  }
  buffer_[length_++] = c;
  buffer_[length_] = Char();
  return *this;
}

template size_t BoundedLength(const char* text, size_t limit);
template size_t BoundedLength(const wchar_t* text, size_t limit);
template class BasicBoundedText<char>;
template class BasicBoundedText<wchar_t>;
