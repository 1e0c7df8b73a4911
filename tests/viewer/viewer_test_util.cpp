#include "viewer/viewer_test_util.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_util.h"
#include "viewer/table_tree.h"
#include "vocabulary/number_text.h"

namespace quillon::test {

std::string TrimmedLines(const std::string& rendered) {
  std::istringstream in(rendered);
  std::string out, line;
  while (std::getline(in, line)) {
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + "\n";
  }
  return out;
}

std::string Shown(const TTableNode& node) { return TrimmedLines(RenderTreeText(node)); }

std::string Shown(const TBasicDescriptor& d) {
  TTableTree tree;
  return Shown(AddDescriptorNode(tree.AddRoot(u"scratch"), d));
}

std::unique_ptr<TBasicDescriptor> Decoded(const std::string& hex, uint32_t privSpec) {
  ResetDescriptorState();
  DescriptorState().CurrentPrivSpec = privSpec;
  Bytes bytes = HexToBytes(hex);
  std::unique_ptr<TBasicDescriptor> d;
  EXPECT_EQ(AddDescriptor(d, bytes), static_cast<int>(bytes.size())) << hex;
  ResetDescriptorState();
  return d;
}

SeparatorScope::SeparatorScope(char16_t separator) : saved_(DecimalSeparator()) { SetDecimalSeparator(separator); }

SeparatorScope::~SeparatorScope() { SetDecimalSeparator(saved_); }

}  // namespace quillon::test
