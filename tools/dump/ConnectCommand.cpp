#include "tools/dump/ConnectCommand.h"

#include "tools/dump/FollowCommand.h"
#include "live/StreamRecorder.h"

#include <optional>
#include <tuple>

namespace orvik::dump {

int recordAndFollow(const live::ServerAddress& server, const std::string& recording, std::ostream& out,
                    std::ostream& err)
{
    using live::StreamRecorder;
    StreamRecorder recorder(server, recording);
    if (!recorder.start()) {
        err << "orvik-dump: " << recorder.startError() << '\n';
        return 2;
    }
    ArchiveDocument doc;
    if (!doc.open(recording)) {
        err << "orvik-dump: cannot open " << recording << ": " << doc.openError() << '\n';
        return 2;
    }
    // The state is told when it changes, not every rate or countdown.
    std::optional<std::tuple<StreamRecorder::State, StreamRecorder::Ending, uint64_t>> told;
    bool failed = false;
    const auto tell = [&](const StreamRecorder::Status& status) {
        const auto now = std::tuple(status.state, status.ending, status.connections);
        if (now != told) {
            told = now;
            err << "orvik-dump: " << live::statusText(status) << '\n';
        }
    };
    tell(recorder.status());
    const int followed = followTimeList(doc, recording, out, err, [&](bool interrupted) {
        if (interrupted)
            recorder.stop();
        const StreamRecorder::Status status = recorder.status();
        tell(status);
        failed = status.state == StreamRecorder::State::Failed;
        return !failed;
    });
    recorder.stop();
    const StreamRecorder::Status status = recorder.status();
    err << "orvik-dump: " << status.bytesReceived << " bytes received in " << status.connections
        << " connections, recorded in " << recording << '\n';
    return failed ? 1 : followed;
}

} // namespace orvik::dump
