#pragma once
// Shared pieces of the viewer tests: rendered subtrees to compare, decoding as the loop
// parser does, and a fixed decimal separator.
#include <memory>
#include <string>

#include "descriptors/descriptor.h"
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

}  // namespace quillon::test
