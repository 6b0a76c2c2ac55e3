// Export benchmark: the archive's dataset with the most samples written as mzML (plain and
// zlib-compressed arrays) and as CSV, each timed once and compared with a plain write of
// as many bytes to the same folder. The figures are output megabytes per second.
//
//   export_bench ARCHIVE [FOLDER]   (FOLDER keeps the files; without it they go to the
//                                    temporary folder and are removed)

#include "archive/ArchiveDocument.h"
#include "exports/DatasetContent.h"
#include "exports/DatasetExport.h"
#include "exports/OutputFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double secondsOf(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The samples of the dataset's spectrum records, counted without copying them.
size_t samplesOf(const orvik::CategoryTree& tree, orvik::NodeId dataset)
{
    size_t samples = 0;
    for (const orvik::NodeId child : tree.children(dataset))
        if (const auto* s = tree.wrapper(child).record<orvik::SpectrumRecord>())
            samples += s->sampleCount;
    return samples;
}

// The same number of bytes written in 4 MiB pieces, as the exports' buffer writes them.
void plainWrite(const std::string& path, uint64_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    const std::vector<char> piece(size_t(4) << 20, 'x');
    for (uint64_t left = size; left > 0;) {
        const size_t n = size_t(std::min<uint64_t>(left, piece.size()));
        std::fwrite(piece.data(), 1, n, f);
        left -= n;
    }
    std::fclose(f);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: export_bench ARCHIVE [FOLDER]\n");
        return 2;
    }
    const std::string archive = argv[1];
    const bool keep = argc > 2;
    const fs::path folder = keep ? fs::path(argv[2]) : fs::temp_directory_path();

    orvik::ArchiveDocument doc;
    if (!doc.open(archive)) {
        std::fprintf(stderr, "export_bench: %s\n", doc.openError().c_str());
        return 1;
    }
    orvik::NodeId largest = orvik::noNode;
    size_t most = 0;
    const std::vector<orvik::NodeId> all = orvik::exports::datasets(doc.tree());
    for (const orvik::NodeId dataset : all)
        if (const size_t n = samplesOf(doc.tree(), dataset); largest == orvik::noNode || n > most) {
            largest = dataset;
            most = n;
        }
    if (largest == orvik::noNode) {
        std::fprintf(stderr, "export_bench: %s holds no dataset\n", archive.c_str());
        return 1;
    }
    const orvik::exports::DatasetContent content = orvik::exports::datasetContent(doc.tree(), largest);
    std::printf("dataset %s, the largest of %zu: %zu spectra, %zu chromatograms, %zu samples\n", content.path.c_str(),
                all.size(), content.spectra.size(), content.chromatograms.size(), most);

    orvik::exports::ExportSource source{archive, {}};
    double hashSeconds = secondsOf([&] { source.archiveSha1 = orvik::exports::fileSha1Hex(archive); });
    std::printf("archive SHA-1 (once, outside the figures below): %.1f MB/s\n",
                double(fs::file_size(archive)) / 1e6 / hashSeconds);

    struct Case {
        const char* name;
        std::string file;
        std::function<std::optional<std::string>(const std::string&)> write;
    };
    const std::string stem = (folder / ("orvik-export-bench-" + std::to_string(std::random_device{}()))).string();
    const std::vector<Case> cases = {
        {"mzML", stem + ".mzML",
         [&](const std::string& p) { return orvik::exports::writeMzml(content, p, source, {false, 0}); }},
        {"mzML zlib", stem + "-zlib.mzML",
         [&](const std::string& p) { return orvik::exports::writeMzml(content, p, source, {true, 0}); }},
        {"CSV", stem + ".csv", [&](const std::string& p) { return orvik::exports::writeDatasetCsv(content, p); }},
    };
    int failed = 0;
    for (const Case& c : cases) {
        std::optional<std::string> error;
        const double seconds = secondsOf([&] { error = c.write(c.file); });
        if (error) {
            std::fprintf(stderr, "export_bench: %s\n", error->c_str());
            failed = 1;
            continue;
        }
        const uint64_t bytes = fs::file_size(c.file);
        const std::string plain = stem + ".plain";
        const double plainSeconds = secondsOf([&] { plainWrite(plain, bytes); });
        fs::remove(plain);
        std::printf("%-10s %8.1f MB  %7.1f MB/s  plain write %7.1f MB/s  ratio %.2f\n", c.name, double(bytes) / 1e6,
                    double(bytes) / 1e6 / seconds, double(bytes) / 1e6 / plainSeconds, plainSeconds / seconds);
        if (!keep)
            fs::remove(c.file);
    }
    return failed;
}
