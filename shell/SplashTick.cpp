#include "shell/SplashTick.h"

#include <charconv>
#include <limits>

#include "os/Trim.h"

namespace {

// The leading number of the text, after blanks; 0 when there is none. Values beyond
// the range saturate rather than wrap, so the count never goes back below 3.
long long LeadingNumber(std::string_view text) {
  text = TrimLeading(text, IsBlank<char>);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range)
    return text.front() == '-' ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max() - 1;
  if (error != std::errc()) return 0;
  return value;
}

}  // namespace

SplashTickResult SplashTick(std::string_view count) {
  long long next = LeadingNumber(count);
  if (next < std::numeric_limits<long long>::max()) ++next;
  return {std::to_string(next), next >= 3};
}
