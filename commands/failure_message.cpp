#include "commands/failure_message.h"

#include "commands/bounded_text.h"

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

void FormatFailureMessage(wchar_t (&message)[kMessageSize], const wchar_t* format,
                          const wchar_t* commandLine) {
  if (format[0] == L'\0') format = kFailureFormat;
  const size_t formatLength = BoundedLength(format, kFailureFormatSize);
  WideBoundedText text(message, kMessageSize);
  for (size_t i = 0; i < formatLength; ++i) {
    const wchar_t next = i + 1 < formatLength ? format[i + 1] : L'\0';
    if (format[i] == L'%' && next == L's') {
      text.Append(commandLine, kCommandLineSize);
      ++i;
    } else if (format[i] == L'%' && next == L'%') {
      text.Append(L'%');
      ++i;
    } else {
      text.Append(format[i]);
    }
  }
  const size_t length = text.Length();
  if (!text.Fits() && length > 0 && IsHighSurrogate(message[length - 1]))
    message[length - 1] = L'\0';
}
