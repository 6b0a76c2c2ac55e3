#include "tools/sim/Serve.h"

#include "tools/sim/ServedStream.h"
#include "tools/sim/Simulator.h"
#include "tools/sim/StreamServer.h"
#include "archive/FileName.h"

#include <chrono>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace orvik::sim {

ServeSummary serveArchive(const CampaignSettings& settings, const std::set<uint16_t>& missing, const RealTime& realTime,
                          const Serve& serve, const std::atomic<bool>& interrupted, std::ostream& report)
{
    std::optional<std::ofstream> copy;
    if (serve.copyPath) {
        copy.emplace(orvik::pathOfName(*serve.copyPath), std::ios::binary | std::ios::app);
        if (!*copy)
            throw std::runtime_error("cannot write " + *serve.copyPath);
    }
    StreamServer server(serve.port, interrupted, [&](uint64_t connection, uint64_t bytes) {
        if (!copy)
            return;
        // A test that reads the line finds the connection's bytes in the copy.
        if (!copy->flush())
            throw std::runtime_error("writing " + *serve.copyPath + " failed");
        report << "connection " << connection << ": sent " << bytes << " bytes" << std::endl;
    });
    report << "listening on 127.0.0.1:" << server.port() << std::endl;

    if (!server.accept())
        return {};
    const auto start = std::chrono::steady_clock::now();
    ServedStream stream(server, serve, settings.seed, copy ? &*copy : nullptr);
    std::ostream out(&stream);
    // What went wrong in the stream reaches the caller, not only a failed state.
    out.exceptions(std::ios::badbit);
    appendArchive(settings, missing, realTime, interrupted, out);
    if (server.connected())
        server.close();
    return {stream.framesSent(), stream.bytesSent(), server.connections(),
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
}

} // namespace orvik::sim
