#include "os/FileIo.h"

OsFileIo& OsFileIo::Instance() {
  static OsFileIo io;
  return io;
}
