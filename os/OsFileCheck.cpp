#include "os/FileCheck.h"

const OsFileCheck& OsFileCheck::Instance() {
  static const OsFileCheck check;
  return check;
}
