#pragma once
// An ANDI (AIA) netCDF file as both ANDI exports write it: the classic netCDF format, first
// defined and then filled, and the attributes and date stamps the two templates share. The
// first failing netCDF call is kept and turns every later step into nothing, so that a writer
// runs straight through and asks once at the end.

#include "exports/DatasetContent.h"
#include "exports/DatasetExport.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace orvik::exports {

// "YYYYMMDDhhmmss+0000": the on-board time `ticks` in UTC, to the second below.
std::string andiTimeStamp(int64_t ticks);
// The same of the system clock's present time.
std::string andiTimeStampNow();

class AndiFile {
public:
    enum class Type { Char, Int, Double };
    static constexpr int global = -1; // the attributes of the file itself

    // Creates the file at `path`, replacing one there.
    explicit AndiFile(const std::string& path);
    ~AndiFile(); // closes the file if close() was not called
    AndiFile(const AndiFile&) = delete;
    AndiFile& operator=(const AndiFile&) = delete;

    // While defining. A dimension of length 0 becomes the file's unlimited one, as the
    // classic format has no other way to hold an empty array.
    int dimension(const char* name, size_t length);
    int variable(const char* name, Type type, std::initializer_list<int> dimensions = {});
    void text(int variable, const char* name, const std::string& value);
    void number(int variable, const char* name, double value);
    void integer(int variable, const char* name, int value);

    // Ends the definitions; after it, the values.
    void endDefinitions();
    void put(int variable, const std::vector<double>& values, size_t start = 0);
    void put(int variable, const std::vector<int>& values);
    void put(int variable, double value); // a scalar
    // Row `row` of a character variable of `width` characters: `value` cut to the width,
    // the rest zero.
    void putText(int variable, size_t row, const std::string& value, size_t width);

    // Closes the file: the first failure in one line, or nothing.
    std::optional<std::string> close();

    // The attributes both templates carry: completeness, revisions, language, origin, the
    // dataset as the experiment's title, the archive as the source.
    void commonAttributes(const DatasetContent& content, const ExportSource& source);

private:
    bool ok(int status);

    int id_ = -1;
    std::optional<std::string> failure_;
};

} // namespace orvik::exports
