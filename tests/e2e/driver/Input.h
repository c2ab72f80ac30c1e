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
// A left click at a screen point. Two clicks close together in place and time
// are one double click, so a second click there first lets that time pass.
bool ClickAt(POINT screen);
// Waits until the target lies at the point, visible, enabled and at rest, then
// clicks there. True once the click is handled, or the target is gone by it.
bool ClickOn(const Window& target, POINT screen);
// Returns once the target's thread has handled everything queued so far.
bool Settle(const Window& target, DWORD timeoutMs = 2000);

}  // namespace e2e
