#pragma once
// A manifest: one run per row of a CSV file with the columns record, soil,
// options and output (any order; only record is required).  Example:
//
//     record,soil,options,output
//     AOM0011801241951,site-a.csv,--integrate,runs/a
//     wave.csv,site-b.csv,"--band 0.1,0.2,20,25",runs/b
//
// Fields may be quoted ("a,b" with "" for a quote); blank lines and lines
// starting with # are skipped.  An empty soil, options or output cell takes
// the value given on the command line.  Relative paths are taken from the
// working directory, as on the command line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/diagnostic.h"
#include "cli/shaping.h"

namespace sitekit::cli {

struct ManifestRow {
  long line = 0;
  std::string record, soil, output;
  bool has_options = false;  // the options cell was not empty
  Shaping shaping = Shaping::none;
  std::optional<Band> band;
};

// The rows of `content`, or throws a Failure (bad input) at `file`:line.
std::vector<ManifestRow> parse_manifest(std::string_view content, const std::string& file);

// The cells of one CSV line; throws at file:line for an unclosed quote.
std::vector<std::string> csv_cells(std::string_view line, const std::string& file, long line_no);

// Shaping options of a cell: --integrate, --differentiate, --band X (or
// --band=X); throws at file:line for anything else.
void parse_run_options(std::string_view cell, const std::string& file, long line_no, ManifestRow& row);

}  // namespace sitekit::cli
