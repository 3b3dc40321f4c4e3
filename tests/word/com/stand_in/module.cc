// The in-process server's entry points: the class factory of the stand-in
// Word, and the count of live objects the tests check.

#include <windows.h>

#include <ole2.h>

#include "tests/word/com/stand_in/class_factory.h"
#include "tests/word/com/stand_in/live_objects.h"

namespace stand_in = quorvane::test_support::stand_in;

// In-process there is no server of its own to end: the test process goes.
void stand_in::EndServerAbruptly() {
  ExitProcess(3);
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (classId != stand_in::kWordClassId) return CLASS_E_CLASSNOTAVAILABLE;
  try {
    return stand_in::MakeClassFactory()->QueryInterface(iid, out);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

STDAPI DllCanUnloadNow() {
  return stand_in::LiveObjects() == 0 && stand_in::ServerLocks() == 0 ? S_OK : S_FALSE;
}

// For the tests: the stand-in's COM objects alive now.
extern "C" long QuorvaneStandInLiveObjects() {
  return stand_in::LiveObjects();
}
