#include "word/embedded/objects.h"

namespace quorvane::word::embedded {

void DocumentBound::CheckAvailable() const {
  if (doc_->discarded) throw AutomationError("The object has been deleted.");
}

}  // namespace quorvane::word::embedded
