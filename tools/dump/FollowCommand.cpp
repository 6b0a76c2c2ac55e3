#include "tools/dump/FollowCommand.h"

#include "tools/dump/DumpCommands.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>
#include <vector>

namespace orvik::dump {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int)
{
    stopRequested = 1;
}

// The time list as printed: a hash of each entry's text, in list order. A reading anew
// is compared with it to find the first line that changed.
class PrintedList {
public:
    explicit PrintedList(const ArchiveDocument& doc) : doc_(doc) {}

    // The entries from `from` up to `end` came at `from` and are printed.
    void insert(size_t from, size_t end)
    {
        const std::vector<size_t> added = hashes(from, end);
        hashes_.insert(hashes_.begin() + std::ptrdiff_t(from), added.begin(), added.end());
    }
    // The list was read anew: the first entry whose line is not the one printed, and
    // from it on the list is printed anew.
    size_t readAnew()
    {
        std::vector<size_t> now = hashes(0, doc_.timeListNodes().size());
        const auto first = std::mismatch(hashes_.begin(), hashes_.end(), now.begin(), now.end()).first;
        const size_t changed = size_t(first - hashes_.begin());
        hashes_ = std::move(now);
        return changed;
    }

private:
    std::vector<size_t> hashes(size_t from, size_t end) const
    {
        std::vector<size_t> result;
        result.reserve(end - from);
        std::string text;
        for (size_t k = from; k < end; ++k) {
            text.clear();
            doc_.tree().appendText(doc_.timeListNodes()[k], text);
            result.push_back(std::hash<std::string>{}(text));
        }
        return result;
    }

    const ArchiveDocument& doc_;
    std::vector<size_t> hashes_;
};

} // namespace

int followTimeList(ArchiveDocument& doc, const std::string& fileName, std::ostream& out, std::ostream& err,
                   const BeforeStep& beforeStep)
{
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    PrintedList printed(doc);
    // Entries from `from` up to `end` are new: printed with their numbers as they are now.
    const auto printNew = [&](size_t from, size_t end) {
        printed.insert(from, end);
        printTimeListEntries(doc, from, end, out);
    };
    const auto stopped = [&](const ArchiveDocument::Update& update) {
        const char* reason = fileChangeReason(update.change);
        if (reason)
            err << "orvik-dump: " << fileName << ' ' << reason << ": following stopped\n";
        return reason != nullptr;
    };
    if (stopped(doc.follow()))
        return 1;
    printNew(0, doc.timeListNodes().size());
    out.flush();
    for (bool last = false; !last && out;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const bool interrupted = stopRequested;
        const bool goOn = !beforeStep || beforeStep(interrupted);
        last = interrupted || !goOn;
        const ArchiveDocument::Update update = doc.follow();
        if (stopped(update))
            return 1;
        const TimeList& list = doc.timeListNodes();
        if (update.reshaped) {
            const size_t first = printed.readAnew();
            // Standard output was flushed: a reader of both streams sees the message before the lines.
            err << "orvik-dump: the end of " << fileName << " was read anew; entries from " << first
                << " on are listed again\n";
            printTimeListEntries(doc, first, list.size(), out);
        } else if (update.change == ESAPacket::FileChange::Grown) {
            // New nodes of the early range (the science stream's, once it began) come before
            // the entries of the later range; those of the later range at the end.
            const size_t earlyEnd = list.entriesBelow(laterNodes);
            printNew(list.entriesBelow(update.from.early), earlyEnd);
            printNew(list.entriesBelow(laterNodes + update.from.later), list.size());
        }
        out.flush();
        if (!goOn)
            return 1;
    }
    return out ? 0 : 2;
}

} // namespace orvik::dump
