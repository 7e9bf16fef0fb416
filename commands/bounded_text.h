#pragma once
#include <cstddef>

// Length of `text`, reading no further than `limit` bytes: a buffer that holds no
// terminator counts as full.
size_t BoundedLength(const char* text, size_t limit);

// Builds a zero-terminated string in a fixed buffer. Whatever is appended, nothing is
// written past the buffer: what doesn't fit is cut off, and the cut is remembered.
class BoundedText {
 public:
  enum class Start { Empty, AfterExisting };

  // Starts `buffer` (at least 1 byte) out empty, or continues the string it holds; a
  // buffer without a terminator is cut to fit first.
  BoundedText(char* buffer, size_t size, Start start = Start::Empty);
  BoundedText(const BoundedText&) = delete;
  BoundedText& operator=(const BoundedText&) = delete;

  // Appends at most `length` characters of `text`, stopping early at its terminator.
  BoundedText& Append(const char* text, size_t length);
  BoundedText& Append(const char* text);
  BoundedText& Append(char c);

  size_t Length() const { return length_; }
  const char* Text() const { return buffer_; }
  // False once anything had to be cut off.
  bool Fits() const { return !cut_; }

 private:
  char* buffer_;
  size_t size_;
  size_t length_ = 0;
  bool cut_ = false;
};
