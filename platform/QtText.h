#pragma once

#include <QString>
#include <string>
#include <string_view>

// The core's texts as Qt's: UTF-16 as it stands, and the OS's UTF-8 descriptions.
QString FromStd(std::u16string_view text);
QString FromUtf8(const std::string& text);
