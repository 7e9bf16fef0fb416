#include "commands/failure_message.h"

#include "commands/command_lines.h"

namespace {

size_t BoundedLength(const wchar_t* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != L'\0') ++length;
  return length;
}

// Appends what fits, always leaving the terminator in place.
class WideMessage {
 public:
  explicit WideMessage(wchar_t (&buffer)[kMessageSize]) : buffer_(buffer) { buffer_[0] = L'\0'; }
  void Append(wchar_t c) {
    if (length_ + 1 >= kMessageSize) return;
    buffer_[length_++] = c;
    buffer_[length_] = L'\0';
  }

 private:
  wchar_t (&buffer_)[kMessageSize];
  size_t length_ = 0;
};

}  // namespace

void FormatFailureMessage(wchar_t (&message)[kMessageSize], const wchar_t* format,
                          const wchar_t* commandLine) {
  if (format[0] == L'\0') format = kFailureFormat;
  const size_t formatLength = BoundedLength(format, kFailureFormatSize);
  const size_t lineLength = BoundedLength(commandLine, kCommandLineSize);
  WideMessage text(message);
  for (size_t i = 0; i < formatLength; ++i) {
    const wchar_t next = i + 1 < formatLength ? format[i + 1] : L'\0';
    if (format[i] == L'%' && next == L's') {
      for (size_t c = 0; c < lineLength; ++c) text.Append(commandLine[c]);
      ++i;
    } else if (format[i] == L'%' && next == L'%') {
      text.Append(L'%');
      ++i;
    } else {
      text.Append(format[i]);
    }
  }
}
