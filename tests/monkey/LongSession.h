#pragma once
// A long session: one window opens archive after archive and shows a node of every
// kind each holds, as a user who goes through a day's files does.

#include <QString>

#include <cstddef>

namespace orvik::app {
class TForm1;
}

namespace orvik::monkey {

// Opens `file` in `window` and chooses, in the time list, the first entry of every
// node kind the archive holds; the number of kinds shown.
size_t openAndShowEveryKind(app::TForm1& window, const QString& file);

// The resident memory of this process, in bytes (0 where it cannot be read).
size_t residentBytes();

} // namespace orvik::monkey
