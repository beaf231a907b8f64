// The result files and the console summary.
#include <string_view>

#include "driver/state.h"
#include "response/one_frequency.h"
#include "textio/channel.h"
#include "textio/write.h"
#include "textio/write_rows.h"

namespace siteresp {
namespace {

using textio::ListWriter;

// Rows of both spectrum files: frequency, then up to six amplitudes, each
// after a comma.  With fewer values the row ends with the comma that
// precedes the next field.
const textio::Format& spectrum_row() {
  static const textio::Format f("(F8.4,6(',',E12.4))");
  return f;
}

const textio::Format& wave_row() {
  static const textio::Format f("(F10.5,3(',',E12.4))");
  return f;
}

std::string_view label(const char (&h)[10]) { return {h, sizeof h}; }

// The result channel: one file open at a time.
textio::OutChannel& result_file() {
  static textio::OutChannel ch;
  return ch;
}

}  // namespace

void response_pass(RunState& s) {
  textio::OutChannel& out = result_file();
  out.create(textio::unit_amp_factors, "Amp-Factors.csv");
  ListWriter(out).text("frequency (Hz),Samp1,Samp2,Pamp1,Pamp2").end();
  textio::RowWriter rows(out, spectrum_row(), 5);
  for (int k = 0; k < s.nom; ++k) {
    const float om = static_cast<float>(k) * s.dom;
    const float freq = om / two_pi;
    const float row[] = {freq, cabs(s.samp[k]), cabs(s.samp[mom + k]), cabs(s.pamp[k]),
                         cabs(s.pamp[mom + k])};
    rows.row(row);
    apply_response(s, k);
  }
  out.close();
}

void write_amp1(RunState& s) {
  ListWriter(textio::console_out()).end();
  textio::OutChannel& out = result_file();
  out.create(textio::unit_amp1, "amp1.csv");
  const WaveRecord& w = s.wave;
  ListWriter(out).text("frequency(Hz),").text(label(w.head2)).text(",").text(label(w.head3))
      .text(",").text(label(w.head4)).end();
  textio::RowWriter rows(out, spectrum_row(), 4);
  for (int k = 1; k < s.nom; ++k) {
    const float om = static_cast<float>(k) * s.dom;
    const float f = om / s.pi2;
    const float row[] = {f, cabs(s.fx1[k]), cabs(s.fy1[k]), cabs(s.fz1[k])};
    rows.row(row);
  }
  out.close();
}

void write_summary(const RunState& s) {
  textio::OutChannel& out = textio::console_out();
  ListWriter(out).end();
  ListWriter(out).text(" Nmber of data points    =").integer(s.nf).end();
  ListWriter(out).text(" Duration and Delta Time =").real(s.dur).real(s.dt).end();
  ListWriter(out).text(" Initial and final times =").real(0.0f).real(s.dur - s.dt).end();
  ListWriter(out).end();
  ListWriter(out).text(" Min X, Y and Z          =").real(s.xmin).real(s.ymin).real(s.zmin).end();
  ListWriter(out).text(" Max X, Y abd Z          =").real(s.xmax).real(s.ymax).real(s.zmax).end();
  ListWriter(out).text(" Min and Max amplitudes  =").real(s.amin).real(s.amax).end();
  ListWriter(out).text(" Absolute Max amplitude  =").real(s.aamax).end();
  ListWriter(out).end();
  ListWriter(out).text("Output data are stored in \"wave1.csv\"").end();
  ListWriter(out).text("You can plot the waveform using \"wave.m\" for Matlab").end();
  ListWriter(out).end();
}

// Every channel shifted by its own first sample; the time column repeats the
// record's times (entries past the record as they stand in the array).
void write_wave1(const RunState& s) {
  textio::OutChannel& out = result_file();
  out.create(textio::unit_wave1, "wave1.csv");
  const WaveRecord& w = s.wave;
  ListWriter(out).text(label(w.head1)).text(",").text(label(w.head2)).text(",")
      .text(label(w.head3)).text(",").text(label(w.head4)).end();
  textio::RowWriter rows(out, wave_row(), 4);
  for (int k = 0; k < s.nf; ++k) {
    const float row[] = {w.time[k], w.xr1[k] - w.xr1[0], w.yr1[k] - w.yr1[0], w.zr1[k] - w.zr1[0]};
    rows.row(row);
  }
  out.close();
}

}  // namespace siteresp
