#include "tools/cli/BinaryOutput.h"

#ifdef _WIN32
#include <cstdio>

#include <fcntl.h>
#include <io.h>
#endif

namespace orvik::cli {

void writeStandardStreamsAsIs()
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

} // namespace orvik::cli
