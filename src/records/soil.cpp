// Reading the dialogue's soil profile file, and refusing or warning about
// profiles whose results would be meaningless or that almost surely hold a
// typing mistake.
#include "soil.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "fields.h"
#include "read.h"
#include "text.h"

namespace sitekit::records {

namespace {

using Lines = std::vector<std::string_view>;

// Values read as the dialogue reads them: starting on a fresh line and
// continuing on the next ones when a line runs short.
class Reader {
public:
  Reader(const Lines& lines, const std::string& file) : lines_(lines), file_(file) {}

  long line() const { return static_cast<long>(at_ + 1); }
  void skip_line() { ++at_; }

  // `n` fields starting at the current line; on success the reader moves
  // to the line after the last one used.
  Result<std::vector<std::string_view>> take(std::size_t n, std::string_view what) {
    std::vector<std::string_view> out;
    while (out.size() < n) {
      if (at_ >= lines_.size())
        return Error{file_, static_cast<long>(lines_.size()), fmt::format("the file ends before {}", what)};
      for (std::string_view f : fields::split(lines_[at_]))
        if (out.size() < n) out.push_back(f);
      ++at_;
    }
    return out;
  }

  Result<double> real(std::string_view what) {
    const long where = line();
    auto f = take(1, what);
    if (!f) return f.error();
    const auto v = text::parse_real(f.value()[0]);
    if (!v) return text::not_a_number(file_, where, 1, f.value()[0]);
    return *v;
  }

  Result<long long> whole(std::string_view what) {
    const long where = line();
    auto f = take(1, what);
    if (!f) return f.error();
    const auto v = text::parse_int(f.value()[0]);
    if (!v) return text::parse_real(f.value()[0]) ? text::not_whole(file_, where, 1, f.value()[0])
                                                  : text::not_a_number(file_, where, 1, f.value()[0]);
    return *v;
  }

private:
  const Lines& lines_;
  const std::string& file_;
  std::size_t at_ = 0;
};

Result<Layer> layer_row(Reader& in, std::size_t index, const std::string& file) {
  Layer l;
  l.line = in.line();
  const auto f = in.take(9, fmt::format("layer {}", index));
  if (!f) return f.error();
  const auto number = text::parse_int(f.value()[0]);
  if (!number)
    return text::parse_real(f.value()[0]) ? text::not_whole(file, l.line, 1, f.value()[0])
                                          : text::not_a_number(file, l.line, 1, f.value()[0]);
  l.number = static_cast<int>(std::clamp<long long>(*number, -999999, 999999));
  double* dest[] = {&l.density, &l.vp, &l.qp, &l.fp, &l.vs, &l.qs, &l.fs, &l.thickness};
  for (std::size_t k = 0; k < 8; ++k) {
    const auto v = text::parse_real(f.value()[k + 1]);
    if (!v) return text::not_a_number(file, l.line, k + 2, f.value()[k + 1]);
    *dest[k] = *v;
  }
  return l;
}

// What would make the responses meaningless is refused.
Status check_layer(const Layer& l, std::size_t index, bool half_space, const std::string& file) {
  auto refuse = [&](std::string_view what, double v) {
    return Error{file, l.line, fmt::format("layer {} needs {}, not {:g}", index, what, v)};
  };
  if (l.density == 0) return Error{file, l.line, fmt::format("layer {} needs a non-zero density", index)};
  if (l.density < 0) return refuse("a positive density", l.density);
  if (!(l.vp > 0)) return refuse("a positive P-wave velocity", l.vp);
  if (!(l.vs > 0)) return refuse("a positive S-wave velocity", l.vs);
  // Q = 0 is the profile's way of saying "undamped"; only a negative Q is
  // meaningless.
  if (!(l.qp >= 0)) return refuse("a Qp of 0 (undamped) or more", l.qp);
  if (!(l.qs >= 0)) return refuse("a Qs of 0 (undamped) or more", l.qs);
  if (!half_space && !(l.thickness > 0)) return refuse("a positive thickness", l.thickness);
  return done();
}

// What the dialogue computes but is almost surely a typing mistake.
void warn_layer(const Layer& l, std::size_t index, Warnings& w, const std::string& file) {
  auto warn = [&](std::string m) { w.push_back({file, l.line, std::move(m)}); };
  for (auto [name, q] : {std::pair{"Qp", l.qp}, std::pair{"Qs", l.qs}})
    if (q > 0 && q < 1)
      warn(fmt::format("layer {}: {} = {:g} is below 1; a quality factor is expected here, not a damping ratio "
                       "(Q = 1/(2 x damping))", index, name, q));
  if (l.vp <= l.vs) warn(fmt::format("layer {}: Vp = {:g} is not above Vs = {:g}", index, l.vp, l.vs));
  for (auto [name, f] : {std::pair{"Fp", l.fp}, std::pair{"Fs", l.fs}})
    if (f < 0) warn(fmt::format("layer {}: {} = {:g} makes Q fall with frequency", index, name, f));
  if (l.number != static_cast<int>(index))
    warn(fmt::format("layer {} is numbered {}; rows are taken in file order", index, l.number));
}

// An undamped layer (Qs = 0) next to damped ones: the response where a
// damped layer meets it divides by zero, so its values are not to be trusted.
void warn_undamped_among_damped(const std::vector<Layer>& layers, Warnings& w, const std::string& file) {
  const bool any_damped = std::any_of(layers.begin(), layers.end(), [](const Layer& l) { return l.qs > 0; });
  if (!any_damped) return;
  for (std::size_t i = 0; i < layers.size(); ++i)
    if (layers[i].qs == 0)
      w.push_back({file, layers[i].line,
                   fmt::format("layer {}: Qs = 0 leaves it undamped among damped layers; where a damped layer "
                               "meets it the response is not defined", i + 1)});
}

Status head(Reader& in, SoilProfile& p, long long& count, const Lines& lines, const std::string& file) {
  if (!lines.empty()) p.title = std::string(text::trim(lines[0]));
  in.skip_line();
  long where = in.line();
  const auto angle = in.real("the incidence angle");
  if (!angle) return angle.error();
  if (!(angle.value() >= 0 && angle.value() < 90))
    return Error{file, where, fmt::format("the incidence angle must be from 0 up to 90 degrees, not {:g}", angle.value())};
  p.angle_deg = angle.value();
  where = in.line();
  const auto type = in.whole("the input wave type");
  if (!type) return type.error();
  if (type.value() != 1 && type.value() != 2)
    return Error{file, where, fmt::format("the input wave type must be 1 (input in the bedrock) or 2 (observed in a borehole), not {}", type.value())};
  p.wave_type = static_cast<int>(type.value());
  in.skip_line();
  where = in.line();
  const auto n = in.whole("the number of layers");
  if (!n) return n.error();
  if (n.value() < 1 || n.value() > max_soil_layers)
    return Error{file, where, fmt::format("the profile needs 1 to {} layers, not {}", max_soil_layers, n.value())};
  count = n.value();
  in.skip_line();
  return done();
}

}  // namespace

Result<SoilProfile> read_soil(std::string_view content, const std::string& file) {
  const Lines lines = text::split_lines(content);
  SoilProfile p;
  Reader in(lines, file);
  long long n = 0;
  const auto h = head(in, p, n, lines, file);
  if (!h) return h.error();
  for (std::size_t l = 1; l <= static_cast<std::size_t>(n); ++l) {
    auto layer = layer_row(in, l, file);
    if (!layer) return layer.error();
    const auto ok = check_layer(layer.value(), l, l == static_cast<std::size_t>(n), file);
    if (!ok) return ok.error();
    warn_layer(layer.value(), l, p.warnings, file);
    p.layers.push_back(layer.value());
  }
  warn_undamped_among_damped(p.layers, p.warnings, file);
  return p;
}

Result<SoilProfile> read_soil_file(const std::string& path) {
  auto content = slurp(path);
  if (!content) return content.error();
  return read_soil(content.value(), path);
}

}  // namespace sitekit::records
