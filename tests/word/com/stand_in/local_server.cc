// The stand-in Word as Word itself runs: a server process of its own
// (LocalServer32), started by COM, ending once its last instance is gone.

#include <windows.h>

#include <ole2.h>

#include <array>
#include <atomic>
#include <cwchar>

#include "tests/word/com/stand_in/class_factory.h"
#include "tests/word/com/stand_in/live_objects.h"
#include "tests/word/com/stand_in/session.h"

namespace stand_in = quorvane::test_support::stand_in;

namespace {

// Read by EndServerAbruptly, which the knob calls from deep inside a call.
std::atomic<DWORD> registration{0};

constexpr UINT kCheckMilliseconds = 100;
// A server that no client ever reaches, or whose client was killed with its
// references, does not stay behind.
constexpr DWORD kUnusedLimitMilliseconds = 60'000;
constexpr DWORD kLifetimeLimitMilliseconds = 300'000;

}  // namespace

// Revoked first: Wine would keep a dead server's class registered until its
// wineserver restarts, and every later creation would fail.
void stand_in::EndServerAbruptly() {
  CoRevokeClassObject(registration);
  ExitProcess(3);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  stand_in::AppendToLog("server started");  // so that tests count the Words started
  int status = 0;
  {
    const auto factory = stand_in::MakeClassFactory();
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(stand_in::kWordClassId, factory.get(), CLSCTX_LOCAL_SERVER,
                                     REGCLS_MULTIPLEUSE, &cookie))) {
      status = 2;
    } else {
      registration = cookie;
      // COM's calls arrive as messages of this thread; between them a timer
      // looks whether any instance is left (the factory is one object).
      const UINT_PTR timer = SetTimer(nullptr, 0, kCheckMilliseconds, nullptr);
      const DWORD start = GetTickCount();
      bool served = false;
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
          const bool inUse = stand_in::LiveObjects() > 1 || stand_in::ServerLocks() > 0;
          served = served || inUse;
          const DWORD age = GetTickCount() - start;
          if (served ? !inUse : age > kUnusedLimitMilliseconds) break;
          if (age > kLifetimeLimitMilliseconds) break;
          continue;
        }
        DispatchMessageW(&message);
      }
      KillTimer(nullptr, timer);
      std::array<wchar_t, 16> linger{};
      if (GetEnvironmentVariableW(stand_in::kLingerVariable, linger.data(), linger.size()) > 0) {
        Sleep(static_cast<DWORD>(std::wcstoul(linger.data(), nullptr, 10)));
      }
      CoRevokeClassObject(cookie);
    }
  }
  CoUninitialize();
  return status;
}
