// Putting channels in the order H1, H2, V1 and checking that they belong
// together.
#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "record.h"
#include "text.h"

namespace sitekit::records {

namespace {

std::string where(const Component& c) { return c.file.empty() ? c.orientation : c.file; }

// (b - a) modulo 360 is a right angle, give or take a degree.
bool quarter_turn(double a, double b) {
  double d = std::fmod(b - a, 360.0);
  if (d < 0) d += 360.0;
  return std::fabs(d - 90.0) <= 1.0;
}

// The second horizontal is the first turned 90 degrees clockwise (north,
// then east); otherwise the order the channels came in.
void order_horizontals(std::vector<Component*>& h) {
  if (!h[0]->azimuth || !h[1]->azimuth) return;
  if (!quarter_turn(*h[0]->azimuth, *h[1]->azimuth) && quarter_turn(*h[1]->azimuth, *h[0]->azimuth))
    std::swap(h[0], h[1]);
}

// "H1(N-S)": at most 10 characters, nothing the dialogue would split on.
std::string label(std::string_view role, std::string_view orientation) {
  std::string o;
  for (char c : orientation)
    if (c != ' ' && c != ',' && c != '/' && c != '\'' && c != '"' && c != '\t' && static_cast<unsigned char>(c) > 0x20 &&
        static_cast<unsigned char>(c) < 0x7f && o.size() < 6)
      o += c;
  return o.empty() ? std::string(role) : fmt::format("{}({})", role, o);
}

Status same_interval(const std::vector<Component*>& cs) {
  for (const Component* c : cs)
    if (std::fabs(c->dt - cs[0]->dt) > 1e-6 * cs[0]->dt)
      return Error{c->file, 0, fmt::format("its sample interval, {:g} s, differs from {:g} s of {}; resample one "
                                           "of them first", c->dt, cs[0]->dt, where(*cs[0]))};
  return done();
}

// A few samples' difference is common (SMC, CSMIP); more means the files do
// not belong together.
Result<std::size_t> common_length(const std::vector<Component*>& cs, Warnings& w) {
  std::size_t lo = cs[0]->samples.size(), hi = lo;
  const Component* longest = cs[0];
  for (const Component* c : cs) {
    lo = std::min(lo, c->samples.size());
    if (c->samples.size() > hi) hi = c->samples.size(), longest = c;
  }
  if (hi - lo > std::max<std::size_t>(10, lo / 100))
    return Error{longest->file, 0,
                 fmt::format("the channels differ in length too much to belong together: {} and {} samples", lo, hi)};
  if (hi != lo)
    w.push_back({"", 0, fmt::format("the channels differ in length ({} to {} samples); all are cut to {}", lo, hi, lo)});
  return lo;
}

}  // namespace

Result<Record> assemble(std::vector<Component> channels) {
  std::vector<Component*> h, v;
  for (Component& c : channels) (c.axis == Axis::up ? v : h).push_back(&c);
  if (channels.size() > 3 || h.size() != 2 || v.size() > 1)
    return Error{channels.empty() ? "" : channels[0].file, 0,
                 fmt::format("a record needs two horizontal channels and at most one vertical; found {} horizontal "
                             "and {} vertical", h.size(), v.size())};
  order_horizontals(h);
  std::vector<Component*> all = h;
  all.insert(all.end(), v.begin(), v.end());
  Record r;
  for (const Component* c : all) r.warnings.insert(r.warnings.end(), c->warnings.begin(), c->warnings.end());
  if (const auto ok = same_interval(all); !ok) return ok.error();
  const auto n = common_length(all, r.warnings);
  if (!n) return n.error();
  r.dt = all[0]->dt;
  auto take = [&](Component* c) {
    c->samples.resize(n.value());
    return std::move(c->samples);
  };
  if (v.empty()) r.warnings.push_back({"", 0, "no vertical channel: V1 is all zeros"});
  r.labels = {"time", label("H1", h[0]->orientation), label("H2", h[1]->orientation),
              v.empty() ? "V1(none)" : label("V1", v[0]->orientation)};
  r.h1 = take(h[0]);
  r.h2 = take(h[1]);
  r.v1 = v.empty() ? std::vector<double>(n.value(), 0.0) : take(v[0]);
  r.station = all[0]->station;
  r.event = all[0]->event;
  for (const Component* c : all)
    if (std::find(r.files.begin(), r.files.end(), c->file) == r.files.end() && !c->file.empty()) r.files.push_back(c->file);
  r.name = record_name(r.files);
  return r;
}

}  // namespace sitekit::records
