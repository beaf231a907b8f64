// The page's data: strings that cannot end the <script> element they sit
// in, base64 as RFC 4648 writes it, float32 series, and missing numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "report/json_writer.h"

namespace sitekit::report {
namespace {

std::string json_of(std::string_view s) {
  JsonWriter w;
  w.string(s);
  return w.text();
}

TEST(JsonStrings, NothingFromAFileCanCloseTheScriptElement) {
  const std::pair<std::string, std::string> cases[] = {
      {"wave", "\"wave\""},
      {"</script><script>alert(1)</script>",
       "\"\\u003c/script\\u003e\\u003cscript\\u003ealert(1)\\u003c/script\\u003e\""},
      {"say \"hi\" \\ 'x'", "\"say \\\"hi\\\" \\\\ 'x'\""},
      {"a&b", "\"a\\u0026b\""},
      {"line\nend\t\x01", "\"line\\u000aend\\u0009\\u0001\""},
      {"\xE2\x80\xA8|\xE2\x80\xA9", "\"\\u2028|\\u2029\""},
      {"\xC2\xB5m/s\xC2\xB2", "\"\xC2\xB5m/s\xC2\xB2\""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(json_of(in), out) << in;
}

TEST(JsonStructure, CommasBetweenMembersAndElements) {
  JsonWriter w;
  w.begin_object();
  w.key("a");
  w.number(1.5);
  w.key("b");
  w.begin_array();
  w.number(NAN);
  w.number(INFINITY);
  w.number(0.1);
  w.null();
  w.end_array();
  w.key("c");
  w.begin_object();
  w.end_object();
  w.end_object();
  EXPECT_EQ(w.text(), "{\"a\":1.5,\"b\":[null,null,0.1,null],\"c\":{}}");
}

TEST(Base64, TheStandardsTestVectors) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(base64(in), out) << in;
}

TEST(Float32Series, LittleEndianBytesAndNaNKept) {
  JsonWriter w;
  const std::vector<double> v{1.0, -2.0, NAN};
  w.floats(v);
  // 1.0f = 00 00 80 3f, -2.0f = 00 00 00 c0, quiet NaN = 00 00 c0 7f.
  std::string quoted(1, '"');
  quoted += base64(std::string("\x00\x00\x80\x3f\x00\x00\x00\xc0\x00\x00\xc0\x7f", 12));
  quoted += '"';
  EXPECT_EQ(w.text(), quoted);
}

TEST(HtmlText, MarkupCharactersBecomeReferences) {
  EXPECT_EQ(html_escape("<img src=x onerror=\"a('b')\"> & c"),
            "&lt;img src=x onerror=&quot;a(&#39;b&#39;)&quot;&gt; &amp; c");
}

}  // namespace
}  // namespace sitekit::report
