// The soil profile file: values, refusals at their line, warnings.
#include <algorithm>
#include <gtest/gtest.h>

#include "read_helpers.h"
#include "records/soil.h"

namespace {

using namespace records_test;

std::string soil(const std::string& angle = "30.0,angle", const std::string& type = "1", const std::string& count = "2",
                 const std::string& rows = "1,1.8,1500,20,0.5,200,10,0.5,10\n2,2.0,2000,50,0.1,500,25,0.1,0\n") {
  return "Test site\n" + angle + "\n" + type + "\nlayers\n" + count +
         "\nLayer,Density,Vp,Qp,Fp,Vs,Qs,Fs,Thickness\n" + rows;
}

std::string soil_error(const std::string& content) {
  auto r = read_soil(content, "soil.csv");
  return r ? std::string("no error") : shown(r.error());
}

TEST(SoilValues, HeadAndLayersAsWritten) {
  auto r = read_soil(soil(), "soil.csv");
  ASSERT_TRUE(r) << r.error().message;
  const SoilProfile& p = r.value();
  EXPECT_EQ(p.title, "Test site");
  EXPECT_EQ(p.angle_deg, 30.0);
  EXPECT_EQ(p.wave_type, 1);
  ASSERT_EQ(p.layers.size(), 2u);
  const Layer& l = p.layers[0];
  EXPECT_EQ((std::vector<double>{l.density, l.vp, l.qp, l.fp, l.vs, l.qs, l.fs, l.thickness}),
            (std::vector<double>{1.8, 1500, 20, 0.5, 200, 10, 0.5, 10}));
  EXPECT_EQ(l.line, 7);
  EXPECT_EQ(p.layers[1].thickness, 0.0) << "the half-space's thickness is not used";
  EXPECT_TRUE(p.warnings.empty());
}

TEST(SoilValues, RowsMayContinueOnTheNextLineAndCrLfIsFine) {
  const std::string split = soil("30", "2", "2", "1 1.8 1500 20\n 0.5 200 10 0.5 10 extra\n2,2.0,2000,50,0.1,500,25,0.1,0");
  auto r = read_soil(crlf(split), "soil.csv");
  ASSERT_TRUE(r) << r.error().message;
  ASSERT_EQ(r.value().layers.size(), 2u);
  EXPECT_EQ(r.value().layers[0].thickness, 10.0);
  EXPECT_EQ(r.value().layers[1].line, 9);
  EXPECT_EQ(r.value().wave_type, 2);
}

TEST(SoilRefusals, WhatWouldMakeTheResultMeaningless) {
  const std::pair<std::string, std::string> cases[] = {
      {soil("thirty"), "soil.csv:2: field 1: \"thirty\" is not a number"},
      {soil("95"), "soil.csv:2: the incidence angle must be from 0 up to 90 degrees, not 95"},
      {soil("30", "1.0"), "soil.csv:3: field 1: \"1.0\" is not a whole number"},
      {soil("30", "3"), "soil.csv:3: the input wave type must be 1 (input in the bedrock) or 2 (observed in a borehole), not 3"},
      {soil("30", "1", "60"), "soil.csv:5: the profile needs 1 to 50 layers, not 60"},
      {soil("30", "1", "0"), "soil.csv:5: the profile needs 1 to 50 layers, not 0"},
      {soil("30", "1", "3", "1,1.8,1500,20,0.5,200,10,0.5,10\n2,2.0,2000,50,0.1,500,25,0.1,5\n"), "soil.csv:8: the file ends before layer 3"},
      {soil("30", "1", "2", "1,0,1500,20,0.5,200,10,0.5,10\n"), "soil.csv:7: layer 1 needs a non-zero density"},
      {soil("30", "1", "2", "1,1.8,1500,20,0.5,200,10,0.5,10\n2,-2,2000,50,0.1,500,25,0.1,0\n"),
       "soil.csv:8: layer 2 needs a positive density, not -2"},
      {soil("30", "1", "2", "1,1.8,1500,20,0.5,0,10,0.5,10\n"), "soil.csv:7: layer 1 needs a positive S-wave velocity, not 0"},
      {soil("30", "1", "2", "1,1.8,0,20,0.5,200,10,0.5,10\n"), "soil.csv:7: layer 1 needs a positive P-wave velocity, not 0"},
      {soil("30", "1", "2", "1,1.8,1500,20,0.5,200,-5,0.5,10\n"), "soil.csv:7: layer 1 needs a Qs of 0 (undamped) or more, not -5"},
      {soil("30", "1", "2", "1,1.8,1500,-1,0.5,200,10,0.5,10\n"), "soil.csv:7: layer 1 needs a Qp of 0 (undamped) or more, not -1"},
      {soil("30", "1", "2", "1,1.8,1500,20,0.5,200,10,0.5,0\n"), "soil.csv:7: layer 1 needs a positive thickness, not 0"},
      {soil("30", "1", "2", "1.0,1.8,1500,20,0.5,200,10,0.5,10\n"), "soil.csv:7: field 1: \"1.0\" is not a whole number"},
      {soil("30", "1", "2", "1,1.8,1500,20,0.5,200,10,0.5,1O\n"), "soil.csv:7: field 9: \"1O\" is not a number"},
      {"title\n", "soil.csv:1: the file ends before the incidence angle"},
  };
  for (const auto& [content, error] : cases) EXPECT_EQ(soil_error(content), error) << content;
}

TEST(SoilWarnings, AlmostSureMistakes) {
  const std::pair<std::string, std::string> cases[] = {
      {"1,1.8,1500,0.05,0.5,200,10,0.5,10\n",
       "soil.csv:7: layer 1: Qp = 0.05 is below 1; a quality factor is expected here, not a damping ratio (Q = 1/(2 x damping))"},
      {"1,1.8,150,20,0.5,200,10,0.5,10\n", "soil.csv:7: layer 1: Vp = 150 is not above Vs = 200"},
      {"1,1.8,1500,20,0.5,200,10,-0.5,10\n", "soil.csv:7: layer 1: Fs = -0.5 makes Q fall with frequency"},
      {"3,1.8,1500,20,0.5,200,10,0.5,10\n", "soil.csv:7: layer 1 is numbered 3; rows are taken in file order"},
      {"1,1.8,1500,20,0.5,200,0,0.5,10\n2,2.0,2000,50,0.1,500,25,0.1,0\n",
       "soil.csv:7: layer 1: Qs = 0 leaves it undamped among damped layers; where a damped layer meets it the response is not defined"},
  };
  for (const auto& [row, warning] : cases) {
    const auto layers = std::to_string(std::count(row.begin(), row.end(), '\n'));
    auto r = read_soil(soil("30", "1", layers, row), "soil.csv");
    ASSERT_TRUE(r) << r.error().message;
    ASSERT_EQ(r.value().warnings.size(), 1u) << row;
    EXPECT_EQ(shown(r.value().warnings[0]), warning);
  }
}

}  // namespace
