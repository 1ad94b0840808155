// Owning wrappers for the kernel and user objects the program holds.
#pragma once

#include <windows.h>

#include "hidserv/unique_handle.h"

namespace kv::app {

using kv::hidserv::CloseKernelHandle;
using kv::hidserv::UniqueHandle;
using kv::hidserv::UniqueKernelHandle;

inline void CloseRegistryKey(HKEY k) { ::RegCloseKey(k); }
inline void DestroyMenuHandle(HMENU m) { ::DestroyMenu(m); }
inline void FreeModuleHandle(HMODULE m) { ::FreeLibrary(m); }

using UniqueRegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle>;
using UniqueModule = UniqueHandle<HMODULE, FreeModuleHandle>;

}  // namespace kv::app
