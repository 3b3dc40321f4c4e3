#ifndef QUORVANE_TESTS_WORD_COM_STAND_IN_CLASS_FACTORY_H_
#define QUORVANE_TESTS_WORD_COM_STAND_IN_CLASS_FACTORY_H_

// The stand-in Word's class factory, for the in-process DLL and for the local
// server alike: each instance a fresh embedded word processor.

#include <windows.h>

#include <ole2.h>

#include "word/com/com_ptr.h"

namespace quorvane::test_support::stand_in {

inline constexpr CLSID kWordClassId = {
    0x000209FF, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

word::com::ComPtr<IClassFactory> MakeClassFactory();

// The factory's server locks held now.
long ServerLocks();

}  // namespace quorvane::test_support::stand_in

#endif  // QUORVANE_TESTS_WORD_COM_STAND_IN_CLASS_FACTORY_H_
