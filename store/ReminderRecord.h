#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "os/DateTimeForms.h"
// Text read from the store loses its leading and trailing spaces (only spaces).
#include "os/Trim.h"

// One reminder: four fixed-width text fields. In memory each field holds exactly its
// width of characters, padded with spaces; on disk each character is one byte of the
// code page, 356 bytes a record, no header, no separators.
struct ReminderRecord {
  static constexpr std::size_t kAboutWidth = 80;
  // The date and time forms are chosen to fill these fields.
  static constexpr std::size_t kDateWidth = DateTimeForms::kDateWidth;
  static constexpr std::size_t kTimeWidth = DateTimeForms::kTimeWidth;
  static constexpr std::size_t kTaskWidth = 255;

  std::u16string About = std::u16string(kAboutWidth, u' ');
  std::u16string Date = std::u16string(kDateWidth, u' ');
  std::u16string Time = std::u16string(kTimeWidth, u' ');
  std::u16string Task = std::u16string(kTaskWidth, u' ');
};

constexpr std::size_t kRecordSize = 356;
constexpr std::size_t kAboutOffset = 0;
constexpr std::size_t kDateOffset = 80;
constexpr std::size_t kTimeOffset = 90;
constexpr std::size_t kTaskOffset = 101;
static_assert(kDateOffset == kAboutOffset + ReminderRecord::kAboutWidth &&
              kTimeOffset == kDateOffset + ReminderRecord::kDateWidth &&
              kTaskOffset == kTimeOffset + ReminderRecord::kTimeWidth &&
              kRecordSize == kTaskOffset + ReminderRecord::kTaskWidth);

using RecordBytes = std::array<char, kRecordSize>;

// Left-aligns text in a field of `width` characters: padded with spaces, cut when longer.
std::u16string FitField(std::u16string_view text, std::size_t width);

// A record of four texts, each fitted to its field.
ReminderRecord MakeRecord(std::u16string_view about, std::u16string_view date, std::u16string_view time,
                          std::u16string_view task);

RecordBytes EncodeRecord(const ReminderRecord& record);
ReminderRecord DecodeRecord(const char* bytes);
