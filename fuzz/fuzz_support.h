#pragma once
// What the fuzz targets share: the input as text and a sink that only counts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/core/host.h"
#include "engine/core/text.h"

namespace tallyman::fuzz {

inline std::string_view Bytes(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

class CountingSink : public MessageSink {
 public:
  void ShowMessage(const Text&) override { ++m_count; }
  long m_count = 0;
};

}  // namespace tallyman::fuzz
