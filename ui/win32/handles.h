#pragma once
// The window peers use the platform's handle owners under their own namespace.
#include "platform/win32/handles.h"

namespace ui::win32 {

using platform::win32::AccelHandle;
using platform::win32::BitmapHandle;
using platform::win32::DcHandle;
using platform::win32::FontHandle;
using platform::win32::IconHandle;
using platform::win32::ImageListHandle;
using platform::win32::MenuHandle;
using platform::win32::Owned;
using platform::win32::WindowHandle;

}  // namespace ui::win32
