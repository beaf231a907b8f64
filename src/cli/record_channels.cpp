#include "cli/record_channels.h"

#include <filesystem>

#include "cli/diagnostic.h"
#include "records/read.h"
#include "records/record.h"

namespace sitekit::cli {
namespace {

void report(const records::Warnings& ws) {
  for (const records::Diagnostic& w : ws) warn({w.file, w.line, w.message});
}

}  // namespace

RecordChannels load_record_channels(const std::string& arg) {
  RecordChannels rc;
  rc.source = arg;
  auto imported = records::import_record({arg}, records::ImportOptions{});
  if (imported) {
    records::Record& r = imported.value();
    report(r.warnings);
    rc.name = r.name.empty() ? records::record_name({arg}) : r.name;
    rc.dt = r.dt;
    rc.labels = {"H1", "H2", "V1"};
    rc.data = {std::move(r.h1), std::move(r.h2), std::move(r.v1)};
    rc.units = r.units;
    return rc;
  }
  std::error_code ec;
  if (std::filesystem::is_regular_file(arg, ec)) {
    auto single = records::read_component_file(arg);
    if (single && single.value().size() == 1) {
      records::Component& c = single.value()[0];
      report(c.warnings);
      rc.name = records::record_name({arg});
      rc.dt = c.dt;
      rc.labels = {"H1"};
      rc.data = {std::move(c.samples)};
      rc.units = "cm/s2";
      return rc;
    }
  }
  const records::Error& e = imported.error();
  fail_input({e.file.empty() ? arg : e.file, e.line, e.message});
}

}  // namespace sitekit::cli
