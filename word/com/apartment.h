#ifndef QUORVANE_WORD_COM_APARTMENT_H_
#define QUORVANE_WORD_COM_APARTMENT_H_

// COM on the calling thread for the holder's lifetime, as a single-threaded
// apartment: Word's objects are called from the thread that created them.

namespace quorvane::word::com {

class Apartment {
 public:
  enum class Kind {
    kCom,  // CoInitializeEx, for console programs and tests
    kOle,  // OleInitialize, for a program with windows (drag and drop, clipboard)
  };

  // Throws AutomationError when the thread is already a multi-threaded
  // apartment. Every COM reference must be released before the holder goes.
  explicit Apartment(Kind kind = Kind::kCom);
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  ~Apartment();

 private:
  Kind kind_;
};

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_APARTMENT_H_
