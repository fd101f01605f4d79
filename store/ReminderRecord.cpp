#include "store/ReminderRecord.h"

#include <algorithm>

#include "os/CodePage.h"

std::u16string FitField(std::u16string_view text, std::size_t width) {
  std::u16string out(text.substr(0, width));
  out.resize(width, u' ');
  return out;
}

ReminderRecord MakeRecord(std::u16string_view about, std::u16string_view date, std::u16string_view time,
                          std::u16string_view task) {
  ReminderRecord r;
  r.About = FitField(about, ReminderRecord::kAboutWidth);
  r.Date = FitField(date, ReminderRecord::kDateWidth);
  r.Time = FitField(time, ReminderRecord::kTimeWidth);
  r.Task = FitField(task, ReminderRecord::kTaskWidth);
  return r;
}

namespace {
void PutField(RecordBytes& out, std::size_t offset, std::size_t width, std::u16string_view text) {
  // Fit before encoding so that one character always takes one byte.
  std::string bytes = EncodeSingleByte(FitField(text, width));
  bytes.resize(width, ' ');
  std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
}
}  // namespace

RecordBytes EncodeRecord(const ReminderRecord& record) {
  RecordBytes out;
  PutField(out, kAboutOffset, ReminderRecord::kAboutWidth, record.About);
  PutField(out, kDateOffset, ReminderRecord::kDateWidth, record.Date);
  PutField(out, kTimeOffset, ReminderRecord::kTimeWidth, record.Time);
  PutField(out, kTaskOffset, ReminderRecord::kTaskWidth, record.Task);
  return out;
}

namespace {
// A double-byte ANSI code page (Japanese, Chinese, Korean Windows) decodes two bytes to
// one character: the field is padded back to its width.
std::u16string GetField(const char* bytes, std::size_t offset, std::size_t width) {
  std::u16string text = DecodeSingleByte({bytes + offset, width});
  if (text.size() != width) text = FitField(text, width);
  return text;
}
}  // namespace

ReminderRecord DecodeRecord(const char* bytes) {
  ReminderRecord r;
  r.About = GetField(bytes, kAboutOffset, ReminderRecord::kAboutWidth);
  r.Date = GetField(bytes, kDateOffset, ReminderRecord::kDateWidth);
  r.Time = GetField(bytes, kTimeOffset, ReminderRecord::kTimeWidth);
  r.Task = GetField(bytes, kTaskOffset, ReminderRecord::kTaskWidth);
  return r;
}
