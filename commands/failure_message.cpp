#include "commands/failure_message.h"

#include "commands/ansi_text.h"
#include "commands/bounded_text.h"

void FormatFailureMessage(char (&message)[kMessageSize], const char* format,
                          const char* commandLine) {
  if (format[0] == '\0') format = kFailureFormat;
  const size_t formatLength = BoundedLength(format, kFailureFormatSize);
  BoundedText text(message, sizeof message);
  for (size_t i = 0; i < formatLength; ++i) {
    const char next = i + 1 < formatLength ? format[i + 1] : '\0';
    if (format[i] == '%' && next == 's') {
      text.Append(commandLine, kShownLineSize);
      ++i;
    } else if (format[i] == '%' && next == '%') {
      text.Append('%');
      ++i;
    } else {
      text.Append(format[i]);
    }
  }
  if (!text.Fits()) message[WholeCharactersLength(message, text.Length())] = '\0';
}
