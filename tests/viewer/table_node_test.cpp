#include <gtest/gtest.h>

#include "viewer/table_node.h"

namespace quillon {
namespace {

TEST(TableNode, RenderKeepsEmptyTextsAndIndentsByDepth) {
  TTableTree tree;
  TTableNode& table = tree.AddRoot(u"NIT - Actual Network");
  TTableNode& section = table.Add(u"Section");
  section.Add(u"Table ID", u"8 Bit", u"0x40", u"Netz – Ä");
  section.Add(u"Loop", {}, std::u16string(u"a\0b\nc\u0086", 6));
  tree.AddRoot(u"Second");

  EXPECT_EQ(RenderTreeText(tree),
            "NIT - Actual Network |  |  | \n"
            "  Section |  |  | \n"
            "    Table ID | 8 Bit | 0x40 | Netz \u2013 \u00C4\n"
            "    Loop |  | a[0x00]b[0x0A]c[0x86] | \n"
            "Second |  |  | \n");
  // A subtree indents from its own node.
  EXPECT_EQ(RenderTreeText(section),
            "Section |  |  | \n"
            "  Table ID | 8 Bit | 0x40 | Netz \u2013 \u00C4\n"
            "  Loop |  | a[0x00]b[0x0A]c[0x86] | \n");
  EXPECT_EQ(RenderTreeText(TTableTree()), "");
}

TEST(TableNode, PositionsAndLookups) {
  TTableTree tree;
  TTableNode& root = tree.AddRoot(u"r");
  TTableNode& a = root.Add(u"a");
  TTableNode& b = root.Add(u"b");
  TTableNode& c = b.Add(u"c");
  EXPECT_EQ(root.Parent(), nullptr);
  EXPECT_EQ(b.Parent(), &root);
  EXPECT_EQ(c.Parent(), &b);
  EXPECT_EQ(a.Index(), 0);
  EXPECT_EQ(b.Index(), 1);
  EXPECT_EQ(c.Depth(), 2);
  EXPECT_EQ(root.Child(1), &b);
  EXPECT_EQ(root.Child(2), nullptr);
  EXPECT_EQ(root.Child(-1), nullptr);
  EXPECT_EQ(tree.Root(0), &root);
  EXPECT_EQ(tree.Root(1), nullptr);
  EXPECT_EQ(tree.AddRoot(u"s").Index(), 1);
  tree.Clear();
  EXPECT_TRUE(tree.Empty());
}

}  // namespace
}  // namespace quillon
