#pragma once
// orvik-dump --connect HOST:PORT --record FILE: records what a data system's server sends
// into FILE and prints its time list as it grows.

#include "live/ServerAddress.h"

#include <ostream>
#include <string>

namespace orvik::dump {

// Until SIGINT or SIGTERM (status 0); the recording not writable ends it (status 1), a recording
// that cannot be opened as well (status 2). Each change of the connection's state is told on `err`.
int recordAndFollow(const live::ServerAddress& server, const std::string& recording, std::ostream& out,
                    std::ostream& err);

} // namespace orvik::dump
