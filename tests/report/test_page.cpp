// Whole pages from folders, in-process and through `sitekit report`: what a
// page carries for a run and for a batch, that nothing from the data comes
// out as markup, that missing and broken files become notes, and the
// command's messages word for word.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "report/report.h"
#include "support/process.h"
#include "support/scratch_dir.h"

namespace sitekit::report {
namespace {

namespace fs = std::filesystem;

// A small run folder: 64 samples, a two-layer profile, amplification
// factors with a peak at 2 Hz.
void make_run(const fs::path& dir, const std::string& label = "H1") {
  fs::create_directories(dir);
  std::ofstream(dir / "run-info.csv") << "key,value\nrecord," << dir.filename().string()
                                      << "\nwave_type,2\nshaping,none\nband_hz,\nunits,cm/s2\nnf,64\n";
  std::ofstream in(dir / "input.csv");
  std::ofstream out(dir / "wave1.csv");
  in << "time," << label << ",H2,V1\n";
  out << " time," << label << ",H2,V1\n";
  for (int i = 0; i < 64; ++i) {
    in << i * 0.01 << ',' << (i % 7) - 3 << ",1,2\n";
    out << i * 0.01 << ',' << 2 * ((i % 7) - 3) << ",2,-8\n";
  }
  std::ofstream amp(dir / "Amp-Factors.csv");
  amp << " frequency (Hz),Samp1,Samp2,Pamp1,Pamp2\n";
  for (int k = 0; k <= 32; ++k) {
    const double f = k * 0.5;
    const double a = 1 + 4 / (1 + (f - 2) * (f - 2));
    amp << f << ',' << a << ',' << a / 2 << ',' << a << ',' << a << ",\n";
  }
  std::ofstream(dir / "soil.csv") << "title\n30.0, angle\n2, type\nlayers\n2\nheading\n"
                                     "1, 1.8, 400, 10, 0.5, 200, 5, 0.5, 10\n2, 2.2, 2000, 50, 0.5, 1000, 20, 0.5, 0\n";
}

std::string page_of(const fs::path& dir) {
  Page page;
  const auto err = build_page(dir, page);
  EXPECT_FALSE(err) << (err ? err->what : "");
  return page.html;
}

// The JSON of the data block.
std::string data_of(const std::string& html) {
  const std::string open = "<script type=\"application/json\" id=\"sitekit-data\">";
  const auto a = html.find(open) + open.size();
  return html.substr(a, html.find("</script>", a) - a);
}

TEST(Page, OneRunCarriesEverySectionAndNoExternalReference) {
  testsupport::ScratchDir dir;
  make_run(dir.path() / "wave");
  const std::string html = page_of(dir.path() / "wave");
  const std::string data = data_of(html);
  EXPECT_NE(data.find("\"kind\":\"run\""), std::string::npos);
  for (const char* member : {"\"profile\":{", "\"amp\":{", "\"hist\":{", "\"fourier\":{", "\"used\":2"})
    EXPECT_NE(data.find(member), std::string::npos) << member;
  EXPECT_NE(data.find("\"peaks\":[{\"name\":\"Samp1\",\"f\":2,\"a\":5}"), std::string::npos);
  // Notes for what this folder lacks, and only that.
  EXPECT_NE(data.find("RespSpec.csv is missing: no response spectra"), std::string::npos);
  EXPECT_EQ(data.find("Amp-Factors.csv is"), std::string::npos);
  // Everything inline: no src= or href= that would fetch, a policy that
  // forbids fetching, and the three script elements are the page's own.
  EXPECT_FALSE(std::regex_search(html, std::regex("(src|href)\\s*=\\s*[\"']?(https?:|//)")));
  EXPECT_NE(html.find("default-src 'none'"), std::string::npos);
  for (const char* tag : {"<script", "</script"}) {
    std::size_t n = 0;
    for (auto at = html.find(tag); at != std::string::npos; at = html.find(tag, at + 1)) ++n;
    EXPECT_EQ(n, 3u) << tag;
  }
}

TEST(Page, MarkupInNamesAndHeadingsStaysText) {
  testsupport::ScratchDir dir;
  const std::string name = "<img src=x onerror=\"alert('x')\">";
  make_run(dir.path() / "b" / name, "H1</script><script>alert(1)</script>");
  std::ofstream(dir.path() / "b" / "runs.csv") << "record,status\n\"" << "</script><b>\",ok\n";
  const std::string html = page_of(dir.path() / "b");
  EXPECT_EQ(html.find("<img"), std::string::npos);
  EXPECT_EQ(html.find("<b>"), std::string::npos);
  EXPECT_EQ(html.find("alert(1)</script>"), std::string::npos);
  EXPECT_NE(data_of(html).find("H1\\u003c/script\\u003e\\u003cscript\\u003ealert(1)"), std::string::npos);
  const std::string title_page = page_of(dir.path() / "b" / name);
  EXPECT_NE(title_page.find("<title>sitekit report: &lt;img src=x onerror=&quot;alert(&#39;x&#39;)&quot;&gt;</title>"),
            std::string::npos);
}

TEST(Page, BrokenFilesBecomeNotesNotFailures) {
  testsupport::ScratchDir dir;
  const fs::path run = dir.path() / "wave";
  make_run(run);
  fs::remove(run / "soil.csv");
  std::ofstream(run / "Amp-Factors.csv") << " frequency (Hz),Samp1,Samp2,Pamp1,Pamp2\n";
  std::ofstream(run / "amp1.csv") << "";
  std::ofstream(run / "wave1.csv", std::ios::app) << "0.64,NaN,********,1\n";
  fs::create_directory(run / "RespSpec.csv");
  const std::string data = data_of(page_of(run));
  for (const char* note : {"soil.csv is missing: no profile",
                           "Amp-Factors.csv holds no data: no amplification factors",
                           "amp1.csv holds no data: no Fourier amplitude of the surface motion",
                           "wave1.csv, column H1: 1 value is not a number, shown as gaps",
                           "wave1.csv, column H2: 1 value is not a number, shown as gaps",
                           "RespSpec.csv cannot be read: no response spectra"})
    EXPECT_NE(data.find(note), std::string::npos) << note;
  EXPECT_NE(data.find("\"profile\":null"), std::string::npos);
  EXPECT_NE(data.find("\"amp\":null"), std::string::npos);
  EXPECT_NE(data.find("\"rs\":null"), std::string::npos);
}

TEST(Page, BatchHasSuiteTableAndSkipsHiddenFolders) {
  testsupport::ScratchDir dir;
  const fs::path b = dir.path() / "suite";
  make_run(b / "one");
  make_run(b / "two");
  make_run(b / ".two.partial");
  fs::create_directories(b / "notes");
  std::ofstream(b / "runs.csv") << "record,status,PGA_input_H1,PGA_surface_H1,error\none,ok,3,6,\n"
                                   "two,ok,3,6,\nthree,failed,,,\"wave.csv:3: bad, \"\"x\"\"\"\n";
  Page page;
  ASSERT_FALSE(build_page(b, page));
  EXPECT_EQ(page.runs, 2u);
  const std::string data = data_of(page.html);
  EXPECT_NE(data.find("\"suite\":{\"ratio\":null,\"amp\":{"), std::string::npos);
  EXPECT_NE(data.find("[\"three\",\"failed\",\"\",\"\",\"wave.csv:3: bad, \\\"x\\\"\"]"), std::string::npos);
  // The runs.csv pair becomes a row of the measures table: 3 to 6, ratio 2.
  EXPECT_NE(data.find("[\"PGA_H1\",3,6,2]"), std::string::npos);
  EXPECT_EQ(data.find(".two.partial"), std::string::npos);
}

TEST(Command, WritesThePageWholeOrSaysWhyNot) {
  testsupport::ScratchDir dir;
  make_run(dir.path() / "wave");
  fs::create_directory(dir.path() / "nothing");
  const std::string page = dir.file("wave.html");
  const auto ok = testsupport::run(SITEKIT_EXE, {"report", dir.file("wave"), "-o", page});
  EXPECT_EQ(ok.code(), 0) << ok.err;
  EXPECT_EQ(ok.out.substr(0, page.size() + 8), page + ": 1 run,");
  EXPECT_TRUE(dir.exists("wave.html"));
  EXPECT_FALSE(dir.exists("wave.html.tmp"));

  const std::pair<std::vector<std::string>, std::string> refusals[] = {
      {{"report", dir.file("absent")}, "sitekit: " + dir.file("absent") + ": no such folder\n"},
      {{"report", dir.file("wave.html")}, "sitekit: " + dir.file("wave.html") + ": not a folder\n"},
      {{"report", dir.file("nothing")},
       "sitekit: " + dir.file("nothing") +
           ": holds neither a run (run-info.csv, Amp-Factors.csv, wave1.csv) nor run folders and runs.csv\n"},
      {{"report", dir.file("wave"), "-o", dir.file("no/such/dir/x.html")},
       "sitekit: " + dir.file("no/such/dir/x.html") + ": cannot be written\n"},
  };
  for (const auto& [args, message] : refusals) {
    const auto r = testsupport::run(SITEKIT_EXE, args);
    EXPECT_EQ(r.code(), 1) << message;
    EXPECT_EQ(r.err, message);
  }
  EXPECT_FALSE(dir.exists("nothing/report.html"));
}

}  // namespace
}  // namespace sitekit::report
