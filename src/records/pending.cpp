// Parts of the library still being written: each gives an error.
#include "records/read.h"
#include "records/record.h"
#include "records/resample.h"
#include "records/soil.h"
#include "records/wave_file.h"

namespace sitekit::records {
namespace {
Error pending(const std::string& file) { return Error{file, 0, "format not yet supported"}; }
}  // namespace

std::string_view format_name(Format) { return "auto"; }
std::optional<Format> parse_format(std::string_view) { return std::nullopt; }
Format detect(std::string_view) { return Format::automatic; }
Result<std::vector<Component>> read_components(std::string_view, const std::string& file, Format) {
  return pending(file);
}
Result<std::vector<Component>> read_component_file(const std::string& path, Format) { return pending(path); }
Result<std::string> slurp(const std::string& path) { return pending(path); }
Result<std::vector<std::string>> expand_record_files(const std::vector<std::string>& args, std::optional<Sensor>) {
  return args;
}
Result<Record> assemble(std::vector<Component>) { return pending(""); }
Result<Record> shape(Record, const ImportOptions&) { return pending(""); }
Result<Record> import_record(const std::vector<std::string>&, const ImportOptions&) { return pending(""); }
std::string record_name(const std::vector<std::string>&) { return "record"; }
Result<std::vector<double>> resample(const std::vector<double>&, double, double) { return pending(""); }
Result<Record> read_wave(std::string_view, const std::string& file) { return pending(file); }
Result<Record> read_wave_file(const std::string& path) { return pending(path); }
std::string format_wave(const Record&) { return {}; }
Status write_wave(const std::string& path, const Record&) { return pending(path); }
Result<SoilProfile> read_soil(std::string_view, const std::string& file) { return pending(file); }
Result<SoilProfile> read_soil_file(const std::string& path) { return pending(path); }
}  // namespace sitekit::records
