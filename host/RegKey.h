#pragma once
// Owns one open registry key.
#include "framework/Owner.h"

namespace host {

using RegKey = vk::Owner<HKEY, &RegCloseKey>;

}  // namespace host
