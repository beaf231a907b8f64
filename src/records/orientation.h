#pragma once
// Which way a channel points, from the words and numbers headers use.
#include <optional>
#include <string_view>

#include "component.h"

namespace sitekit::records {

// Sets c.axis and c.azimuth from `word` ("N-S", "E-W", "U-D", "UP", "-UP",
// "Z", "VERT", "360", "090", "45 DEG", "N", "E"...): 0/360 is north, 90 east;
// another number a horizontal azimuth; anything else an unknown horizontal.
void classify_orientation(Component& c, std::string_view word);

// The same for a numeric azimuth (degrees clockwise from north).
void set_azimuth(Component& c, double degrees);

}  // namespace sitekit::records
