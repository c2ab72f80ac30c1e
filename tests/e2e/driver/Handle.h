// Owners for the kernel and GDI handles the driver opens: the program's own.
#pragma once
#include "Owner.h"

namespace e2e {

using vk::GdiObject;
using vk::MemoryDc;
using vk::UniqueHandle;
using vk::WindowDc;
using Selection = vk::ScopedSelect;
using RegKey = vk::Owner<HKEY, &RegCloseKey>;

}  // namespace e2e
