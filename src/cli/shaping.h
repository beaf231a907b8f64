#pragma once
// The shaping a run asks of the computation: integration or differentiation,
// and the trapezoidal band pass, as the answers the dialogue reads.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace sitekit::cli {

enum class Shaping { none = 0, integrate = 1, differentiate = 2 };

std::string_view shaping_name(Shaping s);  // "none", "integrate", "differentiate"

// Band edges fL1, fL2, fH1, fH2 in Hz.  The text of each edge is kept as the
// user wrote it: the computation reads it in single precision itself, so a
// round trip through double could land on a neighbouring float.
struct Band {
  std::array<double, 4> hz{};
  std::array<std::string, 4> text;
};

// Parses "fL1,fL2,fH1,fH2" (commas or semicolons between plain decimal
// numbers).  Throws a usage Failure naming `where` ("--band" or the manifest
// line) when the text is not four numbers or when no frequency could pass
// (fH2 <= fL1, or a negative edge).
Band parse_band(std::string_view text, const std::string& where, long line = 0);

// Warning text for edges that pass something but are out of order; empty
// when fL1 < fL2 < fH1 < fH2.
std::string band_order_warning(const Band& band);

// The answers the dialogue reads after the soil file, one per line.
std::string dialogue_answers(Shaping shaping, const std::optional<Band>& band);

}  // namespace sitekit::cli
