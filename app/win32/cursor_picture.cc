#include "app/win32/cursor_picture.h"

#include <stdexcept>

#include "base/utf.h"

namespace quorvane::app::win32 {

CursorPicture::CursorPicture(const std::u16string& path)
    : cursor_(
          static_cast<HCURSOR>(LoadImageW(nullptr, reinterpret_cast<const wchar_t*>(path.c_str()),
                                          IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE))) {
  if (cursor_ == nullptr) throw std::runtime_error("Invalid picture: " + base::ToUtf8(path));
}

CursorPicture::~CursorPicture() {
  DestroyCursor(cursor_);
}

}  // namespace quorvane::app::win32
