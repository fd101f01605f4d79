#pragma once

#include <QWidget>

// Explains the manager's three markings; it has no behaviour of its own.
class frmLegend : public QWidget {
  Q_OBJECT

 public:
  frmLegend();

 private:
  void BuildControls();
};
