#pragma once
// Number editing for output.  Digits come from the exact binary value of the
// float (converted exactly to double); an exact tie rounds half to even.
#include <cstdint>

namespace siteresp::textio {

// Fixed fields: each writes exactly w characters to dst.
void edit_i(char* dst, int w, std::int32_t v);          // Iw
void edit_f(char* dst, int w, int d, float v);          // Fw.d
void edit_e(char* dst, int w, int d, float v);          // Ew.d

// Free-form items: write the whole item including its leading blank(s) and
// return its length.  dst must have room for 32 characters.
int edit_free_real(char* dst, float v);                 // " -0.5", "  30.", "  1.E+009"
int edit_free_integer(char* dst, std::int32_t v);       // " 5", " -12"

}  // namespace siteresp::textio
