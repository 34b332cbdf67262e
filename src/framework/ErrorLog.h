// The error log "Orvane.log" in the application's folder (App.Path): UTF-16LE with a byte-order
// mark, one entry per error, a time stamp line then the message line.
#pragma once

#include <string>

#include "host/Error.h"

namespace orvane {

// Appends one entry. A file that does not start with the byte-order mark (written by some
// other program) is replaced. Failures to write are ignored: logging never fails its caller.
void WriteLog(const std::u16string& text);

// Logs an error caught in `procedure`: "Error <number>, <description> Proc = <procedure>" and
// " on Line <line>" or " (No Line Numbers)". The entry is written first; then, unless the
// program runs inside a development environment, the error is raised again to the caller with
// the procedure as its source, so a caller that handles it decides what happens next.
void LogError(const Error& error, std::int32_t line, const std::u16string& procedure);

}  // namespace orvane
