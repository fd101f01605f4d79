#pragma once

#include <string_view>

// The one way text loses characters at its ends. Stored text and the texts of the date
// and time forms lose spaces only (a tab or NUL is part of the text); what the user types
// in a number box or writes in path.txt also loses tabs.

template <class Char>
constexpr bool IsBlank(Char c) {
  return c == Char(' ') || c == Char('\t');
}

template <class Char, class Pred>
constexpr std::basic_string_view<Char> TrimLeading(std::basic_string_view<Char> s, Pred drop) {
  while (!s.empty() && drop(s.front())) s.remove_prefix(1);
  return s;
}

template <class Char, class Pred>
constexpr std::basic_string_view<Char> TrimTrailing(std::basic_string_view<Char> s, Pred drop) {
  while (!s.empty() && drop(s.back())) s.remove_suffix(1);
  return s;
}

template <class Char, class Pred>
constexpr std::basic_string_view<Char> Trim(std::basic_string_view<Char> s, Pred drop) {
  return TrimTrailing(TrimLeading(s, drop), drop);
}

inline constexpr std::u16string_view TrimSpaces(std::u16string_view s) {
  return Trim(s, [](char16_t c) { return c == u' '; });
}
inline constexpr std::string_view TrimSpaces(std::string_view s) {
  return Trim(s, [](char c) { return c == ' '; });
}
inline constexpr std::u16string_view TrimBlanks(std::u16string_view s) { return Trim(s, IsBlank<char16_t>); }
inline constexpr std::string_view TrimBlanks(std::string_view s) { return Trim(s, IsBlank<char>); }
