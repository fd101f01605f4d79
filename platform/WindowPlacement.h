#pragma once

class QWidget;

// Centres a top-level window on its owner's frame; on the screen when it has no owner
// or the owner is hidden.
void CentreOnOwner(QWidget* window, QWidget* owner);
