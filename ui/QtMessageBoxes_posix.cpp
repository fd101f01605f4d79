#include "ui/MessageBoxes.h"

std::optional<MessageAnswer> QtMessageBoxes::SystemModalBox(QWidget*, const MessageRequest&) { return std::nullopt; }
