// Keeps the clock out of taskbars and pagers on X11, as the Windows program's tool window is.
#pragma once

class QWindow;

namespace qt_host {

// Adds _NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER to the window's state before
// its native window is mapped. Nothing happens on a platform other than X11.
void SkipTaskbarAndPager(QWindow& window);

}  // namespace qt_host
