#include "os/Registry.h"

OsRegistry& OsRegistry::Instance() {
  static OsRegistry registry;
  return registry;
}
