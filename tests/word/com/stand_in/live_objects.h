#ifndef QUORVANE_TESTS_WORD_COM_STAND_IN_LIVE_OBJECTS_H_
#define QUORVANE_TESTS_WORD_COM_STAND_IN_LIVE_OBJECTS_H_

namespace quorvane::test_support::stand_in {

// The COM objects of this module alive now; every object's constructor and
// destructor report here.
void ObjectCreated();
void ObjectDestroyed();
long LiveObjects();

// Ends the server at once, as a crashing Word does; each module says how.
[[noreturn]] void EndServerAbruptly();

}  // namespace quorvane::test_support::stand_in

#endif  // QUORVANE_TESTS_WORD_COM_STAND_IN_LIVE_OBJECTS_H_
