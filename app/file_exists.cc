#include "app/file_exists.h"

#include <QFileInfo>

namespace quorvane::app {

bool FileExists(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  return info.isFile();
}

}  // namespace quorvane::app
