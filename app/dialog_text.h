#ifndef QUORVANE_APP_DIALOG_TEXT_H_
#define QUORVANE_APP_DIALOG_TEXT_H_

#include <QString>

namespace quorvane::app {

// Message texts break lines with CR, with or without an LF after it; a Qt
// dialog breaks only at LF. Each CR, with its LF if one follows, becomes one
// LF; a lone LF stays as it is.
QString DialogText(const QString& text);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_DIALOG_TEXT_H_
