// Access keys of captions, shortcut texts of key combinations, and UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// The character after the first single "&" ("&&" is a literal ampersand), or "".
std::u16string GetAccessKey(const std::u16string& caption);
// The lower-cased access character's code, or 0 when the caption has no "&".
int AccessKeyChar(const std::u16string& caption);
// "Ctrl+", "Shift+", "Alt+" (shift bits 2, 1, 4) then the key's name in proper case ("Del"
// for the Delete key); "" for key code 0.
std::u16string ShortcutText(int keyCode, int shift);
// The shift keys held as the message being handled was sent (GetKeyState): 1 Shift, 2 Ctrl,
// 4 Alt, the bits the events' Shift argument and ShortcutText use.
std::int16_t ShiftKeysHeld();
// The UTF-8 bytes of a text; an empty text raises the system's last error with the source
// "ToUTF8" and the description "WideCharToMultiByte".
std::vector<std::uint8_t> ToUTF8(const std::u16string& text);
// The text of UTF-8 bytes; invalid sequences become U+FFFD.
std::u16string FromUTF8(const std::vector<std::uint8_t>& bytes);

}  // namespace orvane
