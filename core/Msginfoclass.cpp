// msginfoclass: the record's destruction, which gives its bookmark back to the document's text.
#include "core/Msginfoclass.h"

#include "core/Fileinfoclass.h"

#include "editor/Easyeditsource.h"

msginfoclass::~msginfoclass() {
  if (bookmark < 0 || document == nullptr || document->text == nullptr) {
    return;
  }
  TPoint Where{};
  if (document->text->FindBookMark(bookmark, Where)) {
    document->text->ClearBookmark(bookmark);
  }
}

int FreeMsgInfo(void* Element) {
  delete static_cast<msginfoclass*>(Element);
  return 1;
}
