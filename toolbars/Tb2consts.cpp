// The framework's user-visible texts.
#include "toolbars/Tb2consts.h"

std::string LoadTBResString(int Id) {
  switch (Id) {
    case STBToolbarIndexOutOfBoundsId: return "Toolbar item index out of range";
    case STBToolbarItemReinsertedId: return "Toolbar item already inserted";
    case STBViewerNotFoundId: return "An item viewer associated the specified item could not be found";
    case STBChevronItemMoreButtonHintId: return "More Buttons|";
    case STBMRUListItemDefCaptionId: return "(MRU List)";
    case STBMDIWindowItemDefCaptionId: return "(Window List)";
    case STBDockParentNotAllowedId:
      return "A TTBDock control cannot be placed inside a tool window or another TTBDock";
    case STBDockCannotChangePositionId: return "Cannot change Position of a TTBDock if it already contains controls";
    case STBToolwinNameNotSetId: return "Cannot save dockable window's position because Name property is not set";
    case STBToolwinDockedToNameNotSetId:
      return "Cannot save dockable window's position because DockedTo's Name property not set";
    default: return {};
  }
}
