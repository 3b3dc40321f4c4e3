#include "word/com/apartment.h"

#include <windows.h>

#include <ole2.h>

#include "word/com/com_error.h"

namespace quorvane::word::com {

Apartment::Apartment(Kind kind) : kind_(kind) {
  const HRESULT hr = kind == Kind::kOle ? OleInitialize(nullptr)
                                        : CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // S_FALSE (already initialised alike) still has to be balanced.
  if (FAILED(hr)) {
    throw ComError(
        hr, "COM could not be initialised as a single-threaded apartment: " + DescribeHResult(hr));
  }
}

Apartment::~Apartment() {
  if (kind_ == Kind::kOle) {
    OleUninitialize();
  } else {
    CoUninitialize();
  }
}

}  // namespace quorvane::word::com
