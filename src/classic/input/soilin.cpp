// The soil profile dialogue, reading and echo.
#include "input/soilin.h"

#include <cstdio>

#include "textio/channel.h"
#include "textio/diag.h"
#include "textio/write.h"
#include "textio/read.h"

namespace siteresp {
namespace {

using textio::Item;
using textio::ListWriter;
using textio::Value;

const textio::Format& prompt_format() {
  static const textio::Format f("(/,1X,'Enter Soil Data (e.g., soil_dat.csv)')");
  return f;
}

const textio::Format& count_format() {
  static const textio::Format f(
      "(/,'   Total Number of Layers =',I5,/,'   Layer,Density,Vp(real),    Qp  ,  Fp  ,"
      "Vs(real),    Qs  ,  Fs  ,Thickness(m)')");
  return f;
}

const textio::Format& row_format() {
  static const textio::Format f("(I6,F9.3,2(F9.2,F9.3,F7.3),F12.3)");
  return f;
}

// A read of no items: skips one line of the file.
void skip_line(textio::InChannel& ch) { textio::list_read(ch, {}, false); }

template <typename T>
void read_one(textio::InChannel& ch, T& v) {
  const Item items[] = {Item::of(v)};
  textio::list_read(ch, items, false);
}

[[noreturn]] void refuse(textio::InChannel& ch, const char* what) {
  textio::refuse(what, textio::unit_soil, ch.name(), true);
}

// A layer the responses would divide by: zero density or velocity, or a
// P velocity equal to the S velocity.
bool degenerate_layer(float dns, float vp, float vs) {
  return dns == 0.0f || vp == 0.0f || vs == 0.0f || vp == vs;
}

// The prompt, the answer and the heading line; the file is then opened.
void open_soil_file(textio::InChannel& ch) {
  textio::OutChannel& out = textio::console_out();
  textio::write_formatted(out, prompt_format(), {});
  char infile2[30];
  textio::name_read(textio::console_in(), infile2);
  ListWriter(out).end();
  ListWriter(out).text("From Subroutine SOILIN:").end();
  ch.open_existing(textio::unit_soil, infile2, sizeof infile2);
}

// Lines 1 to 6: title, angle, wave type, a skipped line, layer count and
// column heading, each value echoed as it is read.
void read_profile_head(textio::InChannel& ch, float& thet1, std::int32_t& nin, std::int32_t& nl,
                       std::int32_t ml) {
  textio::OutChannel& out = textio::console_out();
  skip_line(ch);
  read_one(ch, thet1);
  ListWriter(out).text("  Incident Wave Angle (degree) =").real(thet1).end();

  read_one(ch, nin);
  ListWriter(out).text("  Input Wave Type =").integer(nin).end();
  ListWriter(out).text("    (=1: Data of Theoretical Input Data in Bedrock").end();
  ListWriter(out).text("    ,=2: Data Observed at Boreholein Bedrock)").end();
  if (nin != 1 && nin != 2) refuse(ch, "soil profile: input wave type must be 1 or 2");

  skip_line(ch);
  read_one(ch, nl);
  const Value count[] = {Value(nl)};
  textio::write_formatted(out, count_format(), count);
  if (nl < 1 || nl > ml) {
    char what[80];
    std::snprintf(what, sizeof what, "soil profile: number of layers must be 1 to %d", static_cast<int>(ml));
    refuse(ch, what);
  }
  skip_line(ch);
}

// One layer row into element l, echoed at once; a layer the responses
// would divide by ends the run after its echo.
void read_layer(textio::InChannel& ch, std::int32_t& i, std::int32_t l, float* dns, float* vp,
                float* qp, float* fp, float* vs, float* qs, float* fs, float* thk) {
  const Item items[] = {Item::of(i),      Item::of(dns[l]), Item::of(vp[l]),
                        Item::of(qp[l]),  Item::of(fp[l]),  Item::of(vs[l]),
                        Item::of(qs[l]),  Item::of(fs[l]),  Item::of(thk[l])};
  textio::list_read(ch, items, false);
  const Value echo[] = {Value(i),     Value(dns[l]), Value(vp[l]), Value(qp[l]), Value(fp[l]),
                        Value(vs[l]), Value(qs[l]),  Value(fs[l]), Value(thk[l])};
  textio::write_formatted(textio::console_out(), row_format(), echo);
  if (degenerate_layer(dns[l], vp[l], vs[l])) {
    char what[160];
    std::snprintf(what, sizeof what,
                  "soil profile: layer row %d needs non-zero density and velocities and Vp "
                  "different from Vs",
                  static_cast<int>(l + 1));
    refuse(ch, what);
  }
}

}  // namespace

void soilin(float* dns, float* vp, float* qp, float* fp, float* vs, float* qs,
            float* fs, float* thk, float& theta, std::int32_t& nl, std::int32_t ml,
            std::int32_t& nin) {
  static textio::InChannel ch;
  open_soil_file(ch);
  float thet1 = 0.0f;
  read_profile_head(ch, thet1, nin, nl, ml);
  std::int32_t i = 0;  // the layer number of a row: echoed, used for nothing else
  for (std::int32_t l = 0; l < nl; ++l) read_layer(ch, i, l, dns, vp, qp, fp, vs, qs, fs, thk);
  ch.close();
  theta = thet1 * 0.017453292f;
}

}  // namespace siteresp
