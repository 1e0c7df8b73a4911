#pragma once
// Shared pieces of the viewer tests: rendered subtrees to compare, decoding as the loop
// parser does, a fixed decimal separator, and the table of descriptor displays.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "descriptors/descriptor.h"
#include "platform/dialogs.h"
#include "viewer/table_node.h"

namespace quillon::test {

// The rendered lines with trailing blanks dropped, so expected texts can be written as
// raw strings.
std::string TrimmedLines(const std::string& rendered);
// The descriptor node (name, "Descriptor Tag", "Descriptor Length" and its fields) as
// trimmed lines.
std::string Shown(const TBasicDescriptor& d);
std::string Shown(const TTableNode& node);
// `hex` decoded by the factory under the private data specifier `privSpec`.
std::unique_ptr<TBasicDescriptor> Decoded(const std::string& hex, uint32_t privSpec = kNoPrivSpec);

// The decimal separator for one test, restored afterwards.
class SeparatorScope {
 public:
  explicit SeparatorScope(char16_t separator);
  ~SeparatorScope();
  SeparatorScope(const SeparatorScope&) = delete;
  SeparatorScope& operator=(const SeparatorScope&) = delete;

 private:
  char16_t saved_;
};

// A descriptor's bytes and how the tree shows them (its TEST_P is in descriptor_display_test.cpp).
struct DisplayCase {
  const char* name;
  uint32_t privSpec;  // in force when the loop parser meets the descriptor
  const char* hex;
  const char* shown;  // the descriptor node and everything below it
};

inline void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.name << ": " << c.hex; }
inline std::string CaseName(const testing::TestParamInfo<DisplayCase>& info) { return info.param.name; }

class DescriptorDisplay : public ::testing::TestWithParam<DisplayCase> {
 protected:
  SeparatorScope comma{u','};
  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
};

}  // namespace quillon::test
