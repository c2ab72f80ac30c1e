// Real keyboard and mouse input. A posted WM_KEYDOWN loses its modifiers, so
// keys go through SendInput to the foreground window.
#pragma once
#include <windows.h>
#include <initializer_list>
#include "Window.h"

namespace e2e {

// Activates target, then presses vk with the modifiers (VK_CONTROL,
// VK_MENU, VK_SHIFT) held down, and lets the target process it.
bool PressKey(const Window& target, WORD vk, std::initializer_list<WORD> modifiers = {});
// The same, into whatever window has the keyboard now.
bool PressKey(WORD vk, std::initializer_list<WORD> modifiers = {});
// A left click at a screen point.
bool ClickAt(POINT screen);
// Returns once the target's thread has handled everything queued so far.
bool Settle(const Window& target, DWORD timeoutMs = 2000);

} // namespace e2e
