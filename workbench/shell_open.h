#pragma once
// The desktop's own program for a link, a mail or a file, for any window that offers one.

class QUrl;

namespace quorvex {

// Asks the desktop to open `url` (a web page, a mail, a file in its program); the result is
// not looked at.
void ShellOpen(const QUrl& url);

} // namespace quorvex
