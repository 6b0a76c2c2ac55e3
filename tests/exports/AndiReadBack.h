#pragma once
// ANDI files read back by a reader of the field: Debian's python3 with its netCDF4 module
// (andi_readback.py, one interpreter for all files of a test), the comparison of what it read
// with the dataset content exported, and the datasets built to export.

#include "exports/AndiFile.h"
#include "exports/DatasetContent.h"
#include "exports/DatasetExport.h"
#include "tests/archive/ArchiveBuilder.h"
#include "tests/dump/ChildProcess.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <map>
#include <numeric>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace orvik::test {

struct NetcdfAttribute {
    std::string type; // "str", "float64", "int32"
    std::string value;
};
using NetcdfAttributes = std::map<std::string, NetcdfAttribute>;

struct NetcdfVariable {
    std::string type; // "<f8", "<i4", "|S1"
    std::string dimensions;
    NetcdfAttributes attributes;
    std::vector<std::optional<double>> values; // nothing: a missing value
    std::vector<std::string> rows;             // of a character variable
};

struct NetcdfFile {
    std::string format;
    std::map<std::string, std::string> dimensions; // "12" or "0 unlimited"
    NetcdfAttributes attributes;
    std::map<std::string, NetcdfVariable> variables;

    // The values of `name` as the bits of doubles (compared bit for bit); a missing value or
    // variable fails the test.
    std::vector<uint64_t> bits(const std::string& name) const
    {
        std::vector<uint64_t> out;
        const auto v = variables.find(name);
        if (v == variables.end()) {
            ADD_FAILURE() << "no variable " << name;
            return out;
        }
        for (const std::optional<double>& value : v->second.values) {
            EXPECT_TRUE(value) << name << " has a missing value";
            out.push_back(std::bit_cast<uint64_t>(value.value_or(0)));
        }
        return out;
    }
    std::string attribute(const std::string& name) const
    {
        const auto a = attributes.find(name);
        return a == attributes.end() ? "(none)" : a->second.value;
    }
    std::string attribute(const std::string& variable, const std::string& name) const
    {
        const auto v = variables.find(variable);
        if (v == variables.end())
            return "(none)";
        const auto a = v->second.attributes.find(name);
        return a == v->second.attributes.end() ? "(none)" : a->second.value;
    }
};

inline std::vector<uint64_t> bitsOf(const std::vector<double>& values)
{
    std::vector<uint64_t> out;
    for (const double v : values)
        out.push_back(std::bit_cast<uint64_t>(v));
    return out;
}

// The files at `paths` as netCDF4 reads them, by path; empty (and a failure) when the reader failed.
inline std::map<std::string, NetcdfFile> readBack(const std::vector<std::string>& paths)
{
    std::vector<std::string> arguments{ORVIK_ANDI_READBACK};
    arguments.insert(arguments.end(), paths.begin(), paths.end());
    ChildProcess python("/usr/bin/python3", arguments);
    const int status = python.wait();
    std::map<std::string, NetcdfFile> files;
    if (status != 0) {
        ADD_FAILURE() << "the reader failed (" << status << "): " << python.err();
        return files;
    }
    std::istringstream lines(python.out());
    NetcdfFile* file = nullptr;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        std::string what, name;
        in >> what;
        if (what == "file") {
            in >> name;
            file = &files[name];
            continue;
        }
        if (!file)
            break;
        const auto rest = [&in] {
            std::string text;
            std::getline(in >> std::ws, text);
            return text;
        };
        if (what == "format") {
            in >> file->format;
        } else if (what == "dim") {
            in >> name;
            std::string length = rest();
            file->dimensions[name] = length.substr(0, length.find_last_not_of(' ') + 1);
        } else if (what == "att") {
            std::string variable, type;
            in >> variable >> name >> type;
            std::string value;
            // A text attribute keeps its blanks.
            if (in.peek() == ' ')
                in.get();
            std::getline(in, value);
            (variable == "-" ? file->attributes : file->variables[variable].attributes)[name] = {type, value};
        } else if (what == "var") {
            std::string type;
            in >> name >> type;
            file->variables[name].type = type;
            file->variables[name].dimensions = rest();
        } else if (what == "values") {
            in >> name;
            NetcdfVariable& v = file->variables[name];
            for (std::string word; in >> word;) {
                double value = 0;
                const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
                v.values.push_back(word == "_" || error != std::errc() ? std::nullopt : std::optional(value));
            }
        } else if (what == "text") {
            size_t row = 0;
            in >> name >> row;
            file->variables[name].rows.push_back(rest());
        }
    }
    EXPECT_EQ(files.size(), paths.size()) << python.out() << python.err();
    return files;
}

inline void expectAndiTimeStamp(const std::string& stamp)
{
    EXPECT_TRUE(std::regex_match(stamp, std::regex("[0-9]{14}\\+0000"))) << stamp;
}

// The ANDI-MS file `file` holds exactly the spectra of `content`.
inline void expectScansOf(const NetcdfFile& file, const exports::DatasetContent& content,
                          const std::string& archivePath)
{
    std::vector<double> time, total, massMin, massMax, index, count, number, mz, intensity;
    for (const exports::ExportedSpectrum& s : content.spectra) {
        time.push_back(content.secondsFromStart(s.ticks));
        total.push_back(std::accumulate(s.intensity.begin(), s.intensity.end(), 0.0));
        massMin.push_back(s.mz.empty() ? 0 : *std::min_element(s.mz.begin(), s.mz.end()));
        massMax.push_back(s.mz.empty() ? 0 : *std::max_element(s.mz.begin(), s.mz.end()));
        index.push_back(double(mz.size()));
        count.push_back(double(s.mz.size()));
        number.push_back(double(s.number));
        mz.insert(mz.end(), s.mz.begin(), s.mz.end());
        intensity.insert(intensity.end(), s.intensity.begin(), s.intensity.end());
    }
    EXPECT_EQ(file.format, "NETCDF3_CLASSIC");
    EXPECT_EQ(file.dimensions.at("scan_number"), std::to_string(content.spectra.size()));
    EXPECT_EQ(file.dimensions.at("point_number"), mz.empty() ? "0 unlimited" : std::to_string(mz.size()));
    EXPECT_EQ(file.bits("scan_acquisition_time"), bitsOf(time));
    EXPECT_EQ(file.bits("total_intensity"), bitsOf(total));
    EXPECT_EQ(file.bits("mass_range_min"), bitsOf(massMin));
    EXPECT_EQ(file.bits("mass_range_max"), bitsOf(massMax));
    EXPECT_EQ(file.bits("scan_index"), bitsOf(index));
    EXPECT_EQ(file.bits("point_count"), bitsOf(count));
    EXPECT_EQ(file.bits("actual_scan_number"), bitsOf(number));
    EXPECT_EQ(file.bits("mass_values"), bitsOf(mz));
    EXPECT_EQ(file.bits("intensity_values"), bitsOf(intensity));
    EXPECT_EQ(file.variables.at("mass_values").type, "<f8");
    for (const char* unknown : {"scan_duration", "inter_scan_time", "resolution"})
        EXPECT_EQ(file.variables.at(unknown).values,
                  std::vector<std::optional<double>>(content.spectra.size(), std::nullopt))
            << unknown << " is read as missing";
    EXPECT_EQ(file.attribute("mass_values", "units"), "M/Z");
    EXPECT_EQ(file.attribute("scan_acquisition_time", "units"), "Seconds");
    EXPECT_EQ(file.variables.at("instrument_name").rows, (std::vector<std::string>{"ORVIK"}));

    EXPECT_EQ(file.attribute("dataset_completeness"), "C1+C2");
    EXPECT_EQ(file.attribute("ms_template_revision"), "1.0.1");
    EXPECT_TRUE(std::regex_match(file.attribute("netcdf_revision"), std::regex("[0-9]+(\\.[0-9]+)+.*")))
        << file.attribute("netcdf_revision");
    EXPECT_EQ(file.attribute("languages"), "English");
    EXPECT_EQ(file.attribute("experiment_title"), content.path);
    EXPECT_EQ(file.attribute("experiment_type"), "Continuum Mass Spectrum");
    EXPECT_EQ(file.attribute("experiment_date_time_stamp"), exports::andiTimeStamp(content.start().value_or(0)));
    expectAndiTimeStamp(file.attribute("netcdf_file_date_time_stamp"));
    EXPECT_EQ(file.attribute("source_file_reference"), archivePath);
    EXPECT_EQ(file.attribute("raw_data_mass_format"), "Double");
    EXPECT_EQ(file.attribute("raw_data_time_format"), "Double");
    EXPECT_EQ(file.attribute("raw_data_intensity_format"), "Double");
    EXPECT_EQ(file.attribute("units"), "Seconds");
    EXPECT_EQ(file.attributes.at("number_of_scans").value, std::to_string(content.spectra.size()));
    for (const char* present : {"administrative_comments", "dataset_origin"})
        EXPECT_NE(file.attribute(present), "(none)") << present;
}

// The ANDI chromatography file `file` holds exactly chromatogram `index` of `content`.
inline void expectChromatogram(const NetcdfFile& file, const exports::DatasetContent& content, size_t index,
                               const std::string& archivePath)
{
    const exports::ExportedChromatogram& c = content.chromatograms.at(index);
    EXPECT_EQ(file.format, "NETCDF3_CLASSIC");
    EXPECT_EQ(file.dimensions.at("point_number"), c.time.empty() ? "0 unlimited" : std::to_string(c.time.size()));
    EXPECT_EQ(file.bits("ordinate_values"), bitsOf(c.intensity));
    EXPECT_EQ(file.bits("raw_data_retention"), bitsOf(c.time));
    EXPECT_EQ(file.bits("actual_delay_time"), bitsOf({c.time.empty() ? 0 : c.time.front()}));
    EXPECT_EQ(file.bits("actual_run_time_length"), bitsOf({c.time.empty() ? 0 : c.time.back() - c.time.front()}));
    const auto [low, high] = std::minmax_element(c.intensity.begin(), c.intensity.end());
    EXPECT_EQ(file.bits("detector_maximum_value"), bitsOf({c.intensity.empty() ? 0 : *high}));
    EXPECT_EQ(file.bits("detector_minimum_value"), bitsOf({c.intensity.empty() ? 0 : *low}));
    EXPECT_EQ(file.attribute("dataset_completeness"), "C1+C2");
    EXPECT_EQ(file.attribute("aia_template_revision"), "1.0");
    EXPECT_EQ(file.attribute("languages"), "English");
    EXPECT_EQ(file.attribute("detector_name"), c.title);
    EXPECT_EQ(file.attribute("detector_unit"), "Counts");
    EXPECT_EQ(file.attribute("retention_unit"), "Seconds");
    EXPECT_EQ(file.attribute("experiment_title"), content.path);
    EXPECT_EQ(file.attribute("injection_date_time_stamp"), exports::andiTimeStamp(c.ticks));
    expectAndiTimeStamp(file.attribute("dataset_date_time_stamp"));
    EXPECT_EQ(file.attribute("source_file_reference"), archivePath);
    EXPECT_NE(file.attribute("netcdf_revision"), "(none)");
}

// The sampling interval and flag an ANDI chromatography file states.
inline std::pair<double, std::string> samplingOf(const NetcdfFile& file)
{
    const std::vector<uint64_t> interval = file.bits("actual_sampling_interval");
    return {interval.size() == 1 ? std::bit_cast<double>(interval[0]) : -1,
            file.attribute("ordinate_values", "uniform_sampling_flag")};
}

// Datasets of built archives, exported into a folder of their own.
class AndiTest : public DocumentTest {
protected:
    AndiTest() { std::filesystem::create_directory(out); }

    // The content of every dataset of the archive that holds `science`.
    std::vector<exports::DatasetContent> contents(const ScienceStreamBuilder& science)
    {
        open(Archive().add(science.blocks()));
        std::vector<exports::DatasetContent> found;
        for (const NodeId dataset : exports::datasets(doc.tree()))
            found.push_back(exports::datasetContent(doc.tree(), dataset));
        return found;
    }
    std::string target(const std::string& name) const { return (out / name).string(); }
    // The names in the export folder.
    std::vector<std::string> written() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(out))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const exports::ExportSource source{(dir.path() / "archive.cvlbin").string()};
    const std::filesystem::path out = dir.path() / "out";
};

} // namespace orvik::test
