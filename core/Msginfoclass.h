// msginfoclass: one engine message of a document's result, as the message model reads it and the results pages
// show it.
#pragma once

#include "core/Strstore.h"

class fileinfoclass;

// Engine message types.
inline constexpr int MSGTYPE_ERROR = 1;
inline constexpr int MSGTYPE_WARNING = 2;
inline constexpr int MSGTYPE_COMMENT = 3;
inline constexpr int MSGTYPE_MESSAGE = 4;
// Display classes (also the image indexes of the class icons); MSGCLASS_NONE: a type without a class.
inline constexpr int MSGCLASS_ERROR = 0;
inline constexpr int MSGCLASS_WARNING = 1;
inline constexpr int MSGCLASS_MESSAGE = 2;
inline constexpr int MSGCLASS_COMMENT = 3;
inline constexpr int MSGCLASS_NONE = -1;
// Kind bits.
inline constexpr int MSGKIND_STYLE = 0x1;
inline constexpr int MSGKIND_ACCESSIBILITY = 0x2;

// One message. Owned by its document's message array (freed by FreeMsgInfo); a record that is destroyed takes its
// bookmark out of the document's text when a line still carries it.
class msginfoclass {
public:
  msginfoclass() = default;
  ~msginfoclass();
  msginfoclass(const msginfoclass&) = delete;
  msginfoclass& operator=(const msginfoclass&) = delete;

  int charpos = -1;       // character in the line, from 1; 0 or less: none
  int marklength = -1;    // characters to mark from charpos; 0 or less: nothing
  int oldlinestyle = -1;  // the line's style before message line styles were applied
  int flag1 = -1;         // program-flag numbers that produced the message; 0 or less: none
  int flag2 = -1;
  int number = -1;    // position in the result, from 1
  int bookmark = -1;  // editor bookmark (100 to 255) on the message's line; -1 none
  StrStore text;
  int type = -1;        // MSGTYPE_*
  int line = -1;        // from 1; 0 or less: no line
  int classindex = -1;  // MSGCLASS_*
  int listed = 0;       // 1 when the Messages page lists it
  StrStore typetext;
  StrStore linetext;  // line as decimal text, empty without a line
  StrStore category;
  fileinfoclass* document = nullptr;  // not owned
  int kind = 0;                       // MSGKIND_* bits
  int messageid = -1;                 // identifier in the engine configuration; -1 when not read

  // True for an error or a warning.
  bool IsErrorOrWarning() const { return type == MSGTYPE_ERROR || type == MSGTYPE_WARNING; }
  // With flag 1: the same (the form the core's callers use).
  bool IsErrorOrWarning(int Flags) const { return (Flags & 1) != 0 && IsErrorOrWarning(); }
};

// The message array's free callback; 1.
int FreeMsgInfo(void* Element);
