#pragma once
#include <cstddef>

// Length of `text`, reading no further than `limit` characters: a buffer that holds no
// terminator counts as full.
template <typename Char>
size_t BoundedLength(const Char* text, size_t limit);

// Builds a zero-terminated string in a fixed buffer, of 8-bit characters (messages) or
// wide ones (paths and command lines). Whatever is appended, nothing is written past the
// buffer: what doesn't fit is cut off, and the cut is remembered.
template <typename Char>
class BasicBoundedText {
 public:
  enum class Start { Empty, AfterExisting };

  // Starts `buffer` (at least 1 character) out empty, or continues the string it holds;
  // a buffer without a terminator is cut to fit first.
  BasicBoundedText(Char* buffer, size_t size, Start start = Start::Empty);
  BasicBoundedText(const BasicBoundedText&) = delete;
  BasicBoundedText& operator=(const BasicBoundedText&) = delete;

  // Appends at most `length` characters of `text`, stopping early at its terminator.
  BasicBoundedText& Append(const Char* text, size_t length);
  BasicBoundedText& Append(const Char* text);
  BasicBoundedText& Append(Char c);

  size_t Length() const { return length_; }
  const Char* Text() const { return buffer_; }
  // False once anything had to be cut off.
  bool Fits() const { return !cut_; }

 private:
  Char* buffer_;
  size_t size_;
  size_t length_ = 0;
  bool cut_ = false;
};

using BoundedText = BasicBoundedText<char>;
using WideBoundedText = BasicBoundedText<wchar_t>;
