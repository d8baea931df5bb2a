// ZEZTreeNodes: the node collection of a tree view (adding in five attach modes, the update lock, index and
// visible-row lookup with a one-entry cache, copying) and the binary node stream the view stores in layouts.
#pragma once

#include "treeview/Dcntreetypes.h"

#include "platform/classes/Persistent.h"

#include <string>

class TStream;

// Owned by its view; the nodes hang under the view's hidden root, so the collection keeps only its index cache.
class ZEZTreeNodes : public TPersistent {
  Z_CLASS(ZEZTreeNodes, TPersistent)
  friend class ZEZTreeNode;
  friend class ZEZCustomTreeView;

public:
  explicit ZEZTreeNodes(ZEZCustomTreeView* AOwner);
  ZEZTreeNodes(const ZEZTreeNodes&) = delete;
  ZEZTreeNodes& operator=(const ZEZTreeNodes&) = delete;
  void Assign(TPersistent* Source) override;

  ZEZTreeNode* Add(ZEZTreeNode* Sibling, const std::string& S);
  ZEZTreeNode* AddFirst(ZEZTreeNode* Sibling, const std::string& S);
  ZEZTreeNode* AddChild(ZEZTreeNode* Parent, const std::string& S);
  ZEZTreeNode* AddChildFirst(ZEZTreeNode* Parent, const std::string& S);
  ZEZTreeNode* AddChildObject(ZEZTreeNode* Parent, const std::string& S, void* Ptr);
  ZEZTreeNode* AddChildObjectFirst(ZEZTreeNode* Parent, const std::string& S, void* Ptr);
  ZEZTreeNode* AddObject(ZEZTreeNode* Sibling, const std::string& S, void* Ptr);
  ZEZTreeNode* AddObjectFirst(ZEZTreeNode* Sibling, const std::string& S, void* Ptr);
  ZEZTreeNode* Insert(ZEZTreeNode* Sibling, const std::string& S);
  ZEZTreeNode* InsertObject(ZEZTreeNode* Sibling, const std::string& S, void* Ptr);
  virtual ZEZTreeNode* InternalAdd(ZEZTreeNode* Node, const std::string& S, void* Ptr, TNodeAttachMode Mode);

  virtual void Clear();
  virtual void Delete(ZEZTreeNode* Node);
  void BeginUpdate();
  void EndUpdate();
  void BeginLock() { BeginUpdate(); }
  void EndLock();
  bool Locked() const;

  Integer GetCount() const;         // all nodes
  Integer GetVisibleCount() const;  // visible rows
  ZEZTreeNode* GetFirstNode() const;
  ZEZTreeNode* GetLastNode() const;
  ZEZTreeNode* GetLastVisibleNode() const;
  // The node at a depth-first index; steps of one from the last index asked cost one step. A bad index raises
  // EInvalidOperation "Index out of bounds (%d)".
  ZEZTreeNode* GetItem(Integer Index);
  ZEZTreeNode* Item(Integer Index) { return GetItem(Index); }
  // The node shown at a visible row; the same error for a bad row.
  ZEZTreeNode* GetVisibleItem(Integer Index) const;
  ZEZTreeNode* GetFirstVisibleInTreeView() const;
  ZEZTreeNode* GetFirstVisibleRect(const TRect& R) const;
  void ClearCache();
  ZEZCustomTreeView* Owner() const { return FOwner; }

  // The node stream.
  void WriteData(TStream* Stream);
  void ReadData(TStream* Stream);

protected:
  void InternalClear();

private:
  ZEZTreeNode* FCacheNode = nullptr;
  Integer FCacheIndex = 0;
  ZEZCustomTreeView* FOwner = nullptr;
};

// Stream strings: one length byte up to 254 characters, else 255 and an int32 length.
void WriteStrToStream(TStream* Stream, const std::string& S);
// Raises EReadError when the stream ends early or a length is negative or runs past the stream's end.
std::string ReadStrFromStream(TStream* Stream);
