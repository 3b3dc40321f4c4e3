#ifndef QUORVANE_APP_WIN32_CURSOR_PICTURE_H_
#define QUORVANE_APP_WIN32_CURSOR_PICTURE_H_

// A cursor file loaded as the window's custom pointer.

#include <windows.h>

#include <string>

#include "app/form1_view.h"

namespace quorvane::app::win32 {

class CursorPicture final : public Picture {
 public:
  // Throws std::runtime_error ("Invalid picture") when the file cannot be
  // read as a cursor.
  explicit CursorPicture(const std::u16string& path);
  CursorPicture(const CursorPicture&) = delete;
  CursorPicture& operator=(const CursorPicture&) = delete;
  ~CursorPicture() override;

  HCURSOR Handle() const { return cursor_; }

 private:
  HCURSOR cursor_;
};

}  // namespace quorvane::app::win32

#endif  // QUORVANE_APP_WIN32_CURSOR_PICTURE_H_
