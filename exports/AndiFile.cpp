#include "exports/AndiFile.h"

#include "archive/OnBoardTime.h"
#include "OrvikVersion.h"

#include <netcdf.h>

#include <chrono>
#include <cstdio>

namespace orvik::exports {

namespace {

std::string timeStamp(std::chrono::sys_seconds time)
{
    using namespace std::chrono;
    const sys_days day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss clock(time - day);
    // Integers only: nothing here depends on the process's locale.
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u%02d%02d%02d+0000", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()), int(clock.hours().count()), int(clock.minutes().count()),
                  int(clock.seconds().count()));
    return text;
}

nc_type netcdfType(AndiFile::Type type)
{
    switch (type) {
    case AndiFile::Type::Char: return NC_CHAR;
    case AndiFile::Type::Int: return NC_INT;
    case AndiFile::Type::Double: return NC_DOUBLE;
    }
    return NC_NAT;
}

int netcdfVariable(int variable)
{
    return variable == AndiFile::global ? NC_GLOBAL : variable;
}

} // namespace

std::string andiTimeStamp(int64_t ticks)
{
    // Ticks before the epoch count down from it: the second is the one below.
    const int64_t seconds = (ticks >= 0 ? ticks : ticks - 65535) / 65536;
    return timeStamp(std::chrono::sys_seconds(std::chrono::seconds(obtEpoch + seconds)));
}

std::string andiTimeStampNow()
{
    return timeStamp(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
}

AndiFile::AndiFile(const std::string& path)
{
    // The classic format (the default), which every ANDI reader knows. Every value is
    // written, so the library need not fill the variables first.
    if (ok(nc_create(path.c_str(), NC_CLOBBER, &id_))) {
        int previous = 0;
        ok(nc_set_fill(id_, NC_NOFILL, &previous));
    } else {
        id_ = -1;
    }
}

AndiFile::~AndiFile()
{
    if (id_ >= 0)
        nc_close(id_);
}

bool AndiFile::ok(int status)
{
    if (status != NC_NOERR && !failure_)
        failure_ = nc_strerror(status);
    return !failure_;
}

int AndiFile::dimension(const char* name, size_t length)
{
    int dimension = -1;
    if (!failure_)
        ok(nc_def_dim(id_, name, length == 0 ? NC_UNLIMITED : length, &dimension));
    return dimension;
}

int AndiFile::variable(const char* name, Type type, std::initializer_list<int> dimensions)
{
    int variable = -1;
    if (!failure_)
        ok(nc_def_var(id_, name, netcdfType(type), int(dimensions.size()), std::data(dimensions), &variable));
    return variable;
}

void AndiFile::text(int variable, const char* name, const std::string& value)
{
    if (!failure_)
        ok(nc_put_att_text(id_, netcdfVariable(variable), name, value.size(), value.data()));
}

void AndiFile::number(int variable, const char* name, double value)
{
    if (!failure_)
        ok(nc_put_att_double(id_, netcdfVariable(variable), name, NC_DOUBLE, 1, &value));
}

void AndiFile::integer(int variable, const char* name, int value)
{
    if (!failure_)
        ok(nc_put_att_int(id_, netcdfVariable(variable), name, NC_INT, 1, &value));
}

void AndiFile::endDefinitions()
{
    if (!failure_)
        ok(nc_enddef(id_));
}

void AndiFile::put(int variable, const std::vector<double>& values, size_t start)
{
    const size_t count = values.size();
    if (!failure_ && count > 0)
        ok(nc_put_vara_double(id_, variable, &start, &count, values.data()));
}

void AndiFile::put(int variable, const std::vector<int>& values)
{
    const size_t start = 0, count = values.size();
    if (!failure_ && count > 0)
        ok(nc_put_vara_int(id_, variable, &start, &count, values.data()));
}

void AndiFile::put(int variable, double value)
{
    if (!failure_)
        ok(nc_put_var_double(id_, variable, &value));
}

void AndiFile::putText(int variable, size_t row, const std::string& value, size_t width)
{
    std::string padded = value.substr(0, width);
    padded.resize(width, '\0');
    const size_t start[2] = {row, 0}, count[2] = {1, width};
    if (!failure_)
        ok(nc_put_vara_text(id_, variable, start, count, padded.data()));
}

std::optional<std::string> AndiFile::close()
{
    if (id_ >= 0) {
        ok(nc_close(id_));
        id_ = -1;
    }
    return failure_;
}

void AndiFile::commonAttributes(const DatasetContent& content, const ExportSource& source)
{
    // "4.9.0 of Jan 25 2023 ...": the revision is the first word.
    const std::string library = nc_inq_libvers();
    text(global, "dataset_completeness", "C1+C2");
    text(global, "netcdf_revision", library.substr(0, library.find(' ')));
    text(global, "languages", "English");
    text(global, "dataset_origin", "ORVIK-EGSE " ORVIK_FILE_VERSION);
    text(global, "experiment_title", content.path);
    text(global, "source_file_reference", source.archivePath);
    text(global, "source_file_format", "ORVIK telemetry archive");
}

} // namespace orvik::exports
