// The class library's core classes in one include: lists, string lists, streams, persistent objects,
// collections and components, plus the small shared types.
#pragma once

#include "platform/classes/Component.h"
#include "platform/classes/Lists.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Streams.h"
#include "platform/classes/StringList.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/Sets.h"

#include <functional>
#include <string>

// Also declared by the units above: TNotifyEvent, TOperation, TComponentState (csLoading...),
// TComponentStyle, TDuplicates, TListNotification, TCollectionNotification, TSeekOrigin, soFrom*, fm*.

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Z_ENUM_TYPEINFO(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
using TLeftRight = TAlignment;

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem, ssDouble>;

using THelpContext = LongInt;

// Receives one string (GetStrings-style enumerations).
using TGetStrProc = std::function<void(const std::string& S)>;
// A method run in the main thread (TThread::Synchronize).
using TThreadMethod = std::function<void()>;
