// The whole import of one record: files, channels, assembly, options.
#include "read.h"
#include "record.h"
#include "wave_file.h"

namespace sitekit::records {

namespace {

bool changes_nothing(const ImportOptions& o) { return o.scale == 1.0 && !o.start && !o.length && !o.resample_dt; }

}  // namespace

Result<Record> import_record(const std::vector<std::string>& args, const ImportOptions& options) {
  const auto files = expand_record_files(args, options.sensor);
  if (!files) return files.error();
  std::vector<Component> channels;
  for (const std::string& f : files.value()) {
    auto content = slurp(f);
    if (!content) return content.error();
    const Format format = options.format == Format::automatic ? detect(content.value()) : options.format;
    // A wave file is already a record: keep its labels, times and unit.
    if (format == Format::wave && files.value().size() == 1) {
      auto r = read_wave(content.value(), f);
      if (!r) return r.error();
      r.value().name = record_name(files.value());
      if (changes_nothing(options) && r.value().size() <= options.max_samples) return r;
      return shape(std::move(r.value()), options);
    }
    auto cs = read_components(content.value(), f, format);
    if (!cs) return cs.error();
    for (Component& c : cs.value()) channels.push_back(std::move(c));
  }
  auto r = assemble(std::move(channels));
  if (!r) return r.error();
  r.value().name = record_name(files.value());
  return shape(std::move(r.value()), options);
}

}  // namespace sitekit::records
