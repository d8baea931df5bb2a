// The enumerations and small value types the tree view, its nodes and its node collection share.
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Sets.h"
#include "platform/rtl/Types.h"

#include <functional>

class ZEZTreeNode;
class ZEZTreeNodes;
class ZEZCustomTreeView;

// A node's state flags, bit 0 first.
enum TNodeStateItem {
  nsAllowGrayed, nsCut, nsDeleting, nsDropTarget, nsExpanded, nsFocused, nsHasChildren, nsReadOnly, nsSelected,
  nsWidthCalculated, nsHeightCalculated, nsParentColor, nsParentFont
};
using TNodeState = TSet<TNodeStateItem, nsParentFont>;

enum ZEZNodeType { ntNone, ntCheckBox, ntRadioButton };
Z_ENUM_TYPEINFO(ZEZNodeType, "ntNone", "ntCheckBox", "ntRadioButton")

// The six parts of a row, left to right.
enum TNodePart { npLines, npButton, npCheckBox, npStateImage, npImage, npText };
using TNodeParts = TSet<TNodePart, npText>;
inline constexpr int NodePartCount = 6;
// The rectangles of the six parts of one row, in client coordinates, in TNodePart order.
struct ZEZNodeDispInfo {
  TRect Rects[NodePartCount];
};

enum ZEZCheckBoxesType { ctNone, ctAll, ctCustom };
Z_ENUM_TYPEINFO(ZEZCheckBoxesType, "ctNone", "ctAll", "ctCustom")
enum ZEZDropTargetKind { tkStandard, tkUp, tkDown };
Z_ENUM_TYPEINFO(ZEZDropTargetKind, "tkStandard", "tkUp", "tkDown")
enum ZEZRowSelectType { rtPartial, rtFull };
Z_ENUM_TYPEINFO(ZEZRowSelectType, "rtPartial", "rtFull")
enum ZEZSortOrder { soAscending, soDescending };
Z_ENUM_TYPEINFO(ZEZSortOrder, "soAscending", "soDescending")
enum TRightClickAction { raSelect, raMakeSelected, raNothing };
enum ZEZValidateCode { vcOk, vcCancel, vcContinueEditing };
enum ZEZScrollMode {
  smLineLeft, smPageLeft, smToLeft, smLineUp, smPageUp, smToTop, smLineRight, smPageRight, smToRight, smLineDown,
  smPageDown, smToBottom
};
enum ZEZHitTest {
  dhtNowhere, dhtAbove, dhtBelow, dhtToLeft, dhtToRight, dhtOnItem, dhtOnIndent, dhtOnButton, dhtOnCheckBox,
  dhtOnStateIcon, dhtOnIcon, dhtOnLabel, dhtOnRight
};
using ZEZHitTests = TSet<ZEZHitTest, dhtOnRight>;
enum TScrollBarStyle { ssRegular, ssFlat, ssHotTrack };
Z_ENUM_TYPEINFO(TScrollBarStyle, "ssRegular", "ssFlat", "ssHotTrack")

// The private messages between the view and its in-place editors.
inline constexpr unsigned DMSetCanvas = 0x401;
inline constexpr unsigned DMMeasure = 0x402;
inline constexpr unsigned DMDraw = 0x403;
inline constexpr unsigned DMSetRect = 0x404;
inline constexpr unsigned DMSetParent = 0x405;
inline constexpr unsigned DMSetText = 0x406;
inline constexpr unsigned DMSetOtherInfo = 0x407;
inline constexpr unsigned DMShowEditor = 0x408;
inline constexpr unsigned DMHideEditor = 0x409;
inline constexpr unsigned DMCancelChanges = 0x40A;
inline constexpr unsigned DMSaveChanges = 0x40B;
inline constexpr unsigned DMKillFocus = 0x40C;
inline constexpr unsigned DMGetModified = 0x40D;

// WParam of DMMeasure: the text and the horizontal bounds it wraps within; the editor answers the extent asked
// for (the height when Height is set, else the width), or 0 to let the view measure.
struct TDMMeasure {
  const char* Text = nullptr;
  Integer Left = 0;
  Integer Right = 0;
  bool WordWrap = false;
  bool Height = false;
};
// WParam of DMDraw (LParam: the view's canvas): the text drawn into Rect as the editor would show it; a non-zero
// answer means the editor drew it.
struct TDMDraw {
  const char* Text = nullptr;
  const TRect* Rect = nullptr;
  bool WordWrap = false;
};

// A reference to ZEZTreeNode or a subclass: its virtual constructor takes the owning collection.
using ZEZTreeNodeClass = TClass;

// A node comparison: negative when Node1 goes first, 0 when equal, positive otherwise.
using TZEZTVCompare = std::function<Integer(ZEZTreeNode* Node1, ZEZTreeNode* Node2, Integer Data)>;

// Events.
using TZEZTVChangingEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node, bool& AllowChange)>;
using TZEZTVChangedEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node)>;
using TZEZTVExpandingEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node, bool& AllowExpansion)>;
using TZEZTVCollapsingEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node, bool& AllowCollapse)>;
using TZEZTVExpandedEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node)>;
using TZEZTVStateChangingEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node, TCheckBoxState& State)>;
using TDTVCompareEvent =
    std::function<void(TObject* Sender, ZEZTreeNode* Node1, ZEZTreeNode* Node2, Integer Data, Integer& Compare)>;
using TCreateNodeEvent = std::function<void(TObject* Sender, Integer Level, ZEZTreeNodeClass& NodeClass)>;
using TZEZTVGetToolTipInfoEvent =
    std::function<void(TObject* Sender, ZEZTreeNode* Node, std::string& ToolTipText, TRect& ToolTipRect)>;
using TZEZTVRightClickNodeEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node, TRightClickAction& Action)>;
using TZEZTVEditingEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node, bool& AllowEdit)>;
using TZEZTVEditedEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node, std::string& NewText)>;
using TZEZTVValidateEditTextEvent =
    std::function<void(TObject* Sender, ZEZTreeNode* Node, std::string& Text, ZEZValidateCode& ValidateCode)>;
using TZEZTVAfterEditingEvent = std::function<void(TObject* Sender, ZEZTreeNode* Node, bool Cancelled)>;
