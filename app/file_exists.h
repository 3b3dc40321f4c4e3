#ifndef QUORVANE_APP_FILE_EXISTS_H_
#define QUORVANE_APP_FILE_EXISTS_H_

#include <QString>

namespace quorvane::app {

// True for an ordinary file (a link to one counts); false for a folder, a
// missing file, an empty or invalid path. Never fails. Hidden files are not
// set apart: on Linux hiding is only a naming habit.
bool FileExists(const QString& path);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_FILE_EXISTS_H_
