// Orientation words and numbers of the record formats.
#include "orientation.h"

#include <cmath>

#include "text.h"

namespace sitekit::records {

void set_azimuth(Component& c, double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360.0;
  c.azimuth = a;
  c.axis = a == 0.0 ? Axis::north : a == 90.0 ? Axis::east : Axis::horizontal;
}

void classify_orientation(Component& c, std::string_view word) {
  const std::string w = text::upper(text::trim(word));
  static constexpr std::string_view up[] = {"U-D", "UD", "UP", "-UP", "+UP", "Z", "V", "VERT", "VERTICAL", "U", "DWN",
                                            "DOWN"};
  for (std::string_view u : up)
    if (w == u) {
      c.axis = Axis::up;
      c.azimuth.reset();
      return;
    }
  if (w == "N-S" || w == "NS" || w == "N" || w == "NORTH") return set_azimuth(c, 0);
  if (w == "E-W" || w == "EW" || w == "E" || w == "EAST") return set_azimuth(c, 90);
  std::size_t end = 0;
  if (const auto n = text::first_int(w, &end); n && !w.empty() && w.front() >= '0' && w.front() <= '9') {
    const std::string_view rest = text::trim(std::string_view(w).substr(end));
    if (rest.empty() || rest == "DEG" || rest == "DEGREES") return set_azimuth(c, static_cast<double>(*n));
  }
  c.axis = Axis::horizontal;
  c.azimuth.reset();
}

}  // namespace sitekit::records
