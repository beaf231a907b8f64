#include "report/page.h"

#include <random>

#include "report/json_writer.h"

namespace sitekit::report {

namespace assets {
extern const unsigned char uplot_js[];
extern const std::size_t uplot_js_size;
extern const unsigned char uplot_css[];
extern const std::size_t uplot_css_size;
extern const unsigned char report_js[];
extern const std::size_t report_js_size;
extern const unsigned char report_css[];
extern const std::size_t report_css_size;
}  // namespace assets

namespace {

std::string_view view(const unsigned char* p, std::size_t n) {
  return {reinterpret_cast<const char*>(p), n};
}

std::string make_nonce() {
  std::random_device rd;
  std::string bytes;
  for (int i = 0; i < 4; ++i) {
    const unsigned v = rd();
    for (int b = 0; b < 4; ++b) bytes += static_cast<char>((v >> (8 * b)) & 0xFF);
  }
  return base64(bytes);
}

}  // namespace

std::string page_html(std::string_view title, std::string_view data_json) {
  const std::string nonce = make_nonce();
  std::string html;
  html.reserve(data_json.size() + 80000);
  html += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  html += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; script-src 'nonce-";
  html += nonce;
  html += "'; style-src 'unsafe-inline'; img-src data:\">\n";
  html += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  html += "<meta name=\"generator\" content=\"sitekit report, uPlot " SITEKIT_UPLOT_VERSION " (MIT)\">\n";
  html += "<title>";
  html += html_escape(title);
  html += "</title>\n<style>\n";
  html += view(assets::uplot_css, assets::uplot_css_size);
  html += "\n</style>\n<style>\n";
  html += view(assets::report_css, assets::report_css_size);
  html += "\n</style>\n</head>\n<body>\n<div id=\"app\"><noscript>This report draws its charts with "
          "JavaScript; allow scripts for this file.</noscript></div>\n";
  html += "<script type=\"application/json\" id=\"sitekit-data\">";
  html += data_json;
  html += "</script>\n<script nonce=\"" + nonce + "\">\n";
  html += view(assets::uplot_js, assets::uplot_js_size);
  html += "\n</script>\n<script nonce=\"" + nonce + "\">\n";
  html += view(assets::report_js, assets::report_js_size);
  html += "\n</script>\n</body>\n</html>\n";
  return html;
}

}  // namespace sitekit::report
