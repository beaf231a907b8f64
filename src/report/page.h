#pragma once
// The HTML around the page's data: the embedded chart library, the page's
// own script and styles, and a content security policy that forbids every
// fetch and allows only the page's own scripts (by nonce), so that neither
// a request nor a script smuggled in through the data can run.
#include <string>
#include <string_view>

namespace sitekit::report {

// `data_json` must come from JsonWriter (no raw '<' inside); `title` is
// plain text and is escaped here.
std::string page_html(std::string_view title, std::string_view data_json);

}  // namespace sitekit::report
