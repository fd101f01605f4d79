#pragma once

#include <QObject>

// The one way a window says that it has changed the store: the shell connects Changed
// to the main window's recount, so the windows that write need not know it.
class StoreChanges : public QObject {
  Q_OBJECT

 public:
  void Report() { emit Changed(); }

 signals:
  void Changed();
};
