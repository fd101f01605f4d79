#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The store keeps every character as one byte of the system's single-byte code page:
// the ANSI code page on Windows, Windows-1252 elsewhere.

// Characters the code page cannot hold become '?'.
std::string EncodeSingleByte(std::u16string_view text);
std::u16string DecodeSingleByte(std::string_view bytes);

// A path that a file spells in bytes: characters of the code page on Windows, the file
// system's own bytes elsewhere.
std::filesystem::path::string_type NativePathFromBytes(std::string_view bytes);

// True when the text survives a trip through the code page unchanged.
bool CodePageHoldsExactly(std::u16string_view text);

// UTF-8 <-> UTF-16 for texts shown by the windows and for OS texts. Invalid input
// becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);
