#pragma once
// A record sink that keeps every record it is given, for output tests.
#include <string>
#include <vector>

#include "textio/record.h"

namespace siteresp::textio {

class CollectSink final : public RecordSink {
public:
  void put_record(const char* p, std::size_t n) override { records.emplace_back(p, n); }
  int unit() const override { return 6; }
  std::vector<std::string> records;
};

using Records = std::vector<std::string>;

}  // namespace siteresp::textio
