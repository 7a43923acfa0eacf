// Hands a file or a web page to the desktop's opener, xdg-open, which
// picks the user's PDF viewer or browser.  QDesktopServices only tells
// whether xdg-open started; xdg-open itself ends with an error when the
// desktop has no application for the file, and that is worth telling the
// user, who otherwise waits for a window that never comes.
#pragma once

#include <QUrl>
#include <functional>

class QObject;

// Starts the opener on `url` without a shell and without waiting: false
// when none could be started.  `failed` is called later if the opener
// ends with an error; it runs only while `context` lives.  Without
// xdg-open on PATH, QDesktopServices decides alone.
bool OpenWithDesktop(const QUrl& url, QObject* context, std::function<void()> failed);
