#pragma once
// The decoded tree as plain nodes: four texts per node, its depth and its row colour.
// Nodes own their children; nothing refers back to the decoded objects.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

// Row backgrounds as 0xRRGGBB.
inline constexpr uint32_t kTableRowColour = 0xF3BAC6;    // depth 0
inline constexpr uint32_t kSectionRowColour = 0xCDE2D6;  // depth 1
inline constexpr uint32_t kEvenBandColour = 0xFFFFCC;    // depth 3..7 below an even sibling at depth 3
inline constexpr uint32_t kOddBandColour = 0xE3EFFB;     // ... below an odd one
inline constexpr uint32_t kHeaderColour = 0xBAD6F3;      // the column header

struct TTableNodeData {
  std::u16string Name;
  std::u16string Length;
  std::u16string Value;
  std::u16string Info;
};

class TTableNode {
 public:
  TTableNodeData Data;

  // A root node (depth 0) at position `index` of its tree.
  TTableNode(TTableNodeData data, int index);
  TTableNode(const TTableNode&) = delete;
  TTableNode& operator=(const TTableNode&) = delete;

  // Appends a child; its depth, position and colour follow from this node.
  TTableNode& Add(std::u16string name, std::u16string length = {}, std::u16string value = {},
                  std::u16string info = {});

  int Depth() const { return depth_; }
  int Index() const { return index_; }  // position among its siblings
  TTableNode* Parent() const { return parent_; }
  // Empty: the view's normal background.
  std::optional<uint32_t> Colour() const { return colour_; }
  int ChildCount() const { return static_cast<int>(children_.size()); }
  // Nothing for an index out of range.
  TTableNode* Child(int index) const;
  const std::vector<std::unique_ptr<TTableNode>>& Children() const { return children_; }

 private:
  TTableNode(TTableNodeData data, TTableNode* parent);

  TTableNode* parent_ = nullptr;
  int depth_ = 0;
  int index_ = 0;
  std::optional<uint32_t> colour_;
  std::vector<std::unique_ptr<TTableNode>> children_;
};

// The root nodes of one tree.
class TTableTree {
 public:
  TTableNode& AddRoot(std::u16string name);
  void Clear() { roots_.clear(); }
  bool Empty() const { return roots_.empty(); }
  int RootCount() const { return static_cast<int>(roots_.size()); }
  TTableNode* Root(int index) const;
  const std::vector<std::unique_ptr<TTableNode>>& Roots() const { return roots_; }

 private:
  std::vector<std::unique_ptr<TTableNode>> roots_;
};

// One line per node, two blanks of indent per depth: "Name | Length | Value | Info"
// with empty texts kept; UTF-8, control characters written as "[0xNN]".
std::string RenderTreeText(const TTableTree& tree);
// The node and everything below it, indented from the node's own depth.
std::string RenderTreeText(const TTableNode& node);

}  // namespace quillon
