// The frame a window manager puts around a window, known before the window is shown.
#pragma once

#include <QSize>

namespace tavro {

// Width and height that the window manager's frame adds to a top-level window: asked of the
// window manager for a window that is never shown (_NET_REQUEST_FRAME_EXTENTS). Empty without
// a window manager, off X11, or when the window manager does not answer in time.
QSize windowManagerFrame();

}  // namespace tavro
