#include "viewer/table_node.h"

#include "platform/text.h"

namespace quillon {

namespace {

// Each descriptor of a loop and each transport-stream entry sits at depth 3; it and its
// fields down to depth 7 form one band, and neighbouring bands alternate.
constexpr int kBandDepth = 3;
constexpr int kLastBandDepth = 7;

// Names from the air may hold control codes (a NUL, a line break, C1 emphasis marks);
// in a dump they would end or split the line, so they are written as "[0xNN]".
std::string LineText(std::u16string_view text) {
  std::u16string visible;
  for (char16_t c : text) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
      visible += Utf8ToUtf16(Format("[0x%2.2X]", static_cast<unsigned>(c)));
    else
      visible += c;
  }
  return Utf16ToUtf8(visible);
}

void RenderInto(std::string& out, const TTableNode& node, int baseDepth) {
  out.append(static_cast<size_t>(2 * (node.Depth() - baseDepth)), ' ');
  const TTableNodeData& d = node.Data;
  out += LineText(d.Name) + " | " + LineText(d.Length) + " | " + LineText(d.Value) + " | " + LineText(d.Info) + "\n";
  for (const auto& child : node.Children()) RenderInto(out, *child, baseDepth);
}

}  // namespace

TTableNode::TTableNode(TTableNodeData data, int index) : Data(std::move(data)), index_(index) {
  colour_ = kTableRowColour;
}

TTableNode::TTableNode(TTableNodeData data, TTableNode* parent)
    : Data(std::move(data)), parent_(parent), depth_(parent->depth_ + 1), index_(parent->ChildCount()) {
  if (depth_ == 1)
    colour_ = kSectionRowColour;
  else if (depth_ == kBandDepth)
    colour_ = index_ % 2 ? kOddBandColour : kEvenBandColour;
  else if (depth_ > kBandDepth && depth_ <= kLastBandDepth)
    colour_ = parent->colour_;
}

TTableNode& TTableNode::Add(std::u16string name, std::u16string length, std::u16string value, std::u16string info) {
  TTableNodeData data{std::move(name), std::move(length), std::move(value), std::move(info)};
  children_.push_back(std::unique_ptr<TTableNode>(new TTableNode(std::move(data), this)));
  return *children_.back();
}

TTableNode* TTableNode::Child(int index) const {
  return index >= 0 && index < ChildCount() ? children_[static_cast<size_t>(index)].get() : nullptr;
}

TTableNode& TTableTree::AddRoot(std::u16string name) {
  roots_.push_back(std::make_unique<TTableNode>(TTableNodeData{std::move(name), {}, {}, {}}, RootCount()));
  return *roots_.back();
}

TTableNode* TTableTree::Root(int index) const {
  return index >= 0 && index < RootCount() ? roots_[static_cast<size_t>(index)].get() : nullptr;
}

std::string RenderTreeText(const TTableTree& tree) {
  std::string out;
  for (const auto& root : tree.Roots()) RenderInto(out, *root, 0);
  return out;
}

std::string RenderTreeText(const TTableNode& node) {
  std::string out;
  RenderInto(out, node, node.Depth());
  return out;
}

}  // namespace quillon
