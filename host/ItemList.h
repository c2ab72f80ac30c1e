#pragma once
// Owns one shell item list handed out by the shell; the COM allocator frees it.
#include <shlobj.h>

#include "framework/Owner.h"

namespace host {

using ItemList = vk::Owner<LPITEMIDLIST, &CoTaskMemFree>;

}  // namespace host
