#pragma once

#include <QLabel>
#include <QTest>

// The text a label draws, as a user who selects all of it would copy it: text read as
// markup has lost its tags. A disabled label takes no keys: enabled meanwhile.
inline QString DrawnText(QLabel* label) {
  const bool enabled = label->isEnabled();
  label->setEnabled(true);
  label->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
  QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
  label->setEnabled(enabled);
  return label->selectedText();
}
