#include "commands/bounded_text.h"

size_t BoundedLength(const char* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != '\0') ++length;
  return length;
}

BoundedText::BoundedText(char* buffer, size_t size, Start start) : buffer_(buffer), size_(size) {
  if (start == Start::AfterExisting) length_ = BoundedLength(buffer, size);
  if (length_ == size) {
    --length_;
    cut_ = true;
  }
  buffer_[length_] = '\0';
}

BoundedText& BoundedText::Append(const char* text, size_t length) {
  for (size_t i = 0; i < length && text[i] != '\0'; ++i) Append(text[i]);
  return *this;
}

BoundedText& BoundedText::Append(const char* text) {
  while (*text != '\0') Append(*text++);
  return *this;
}

BoundedText& BoundedText::Append(char c) {
  if (length_ + 1 >= size_) {
    cut_ = true;
    return *this;
  }
  buffer_[length_++] = c;
  buffer_[length_] = '\0';
  return *this;
}
