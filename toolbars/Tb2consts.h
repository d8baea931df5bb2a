// The framework's user-visible texts, kept under their fixed string resource identifiers.
#pragma once

#include <string>

inline constexpr int STBToolbarIndexOutOfBoundsId = 65506;
inline constexpr int STBToolbarItemReinsertedId = 65507;
inline constexpr int STBViewerNotFoundId = 65508;
inline constexpr int STBChevronItemMoreButtonHintId = 65509;
inline constexpr int STBMRUListItemDefCaptionId = 65510;
inline constexpr int STBMDIWindowItemDefCaptionId = 65511;
inline constexpr int STBDockParentNotAllowedId = 65512;
inline constexpr int STBDockCannotChangePositionId = 65513;
inline constexpr int STBToolwinNameNotSetId = 65514;
inline constexpr int STBToolwinDockedToNameNotSetId = 65515;

// The text of one of the identifiers above ("" for any other).
std::string LoadTBResString(int Id);

#define STBToolbarIndexOutOfBounds LoadTBResString(STBToolbarIndexOutOfBoundsId)
#define STBToolbarItemReinserted LoadTBResString(STBToolbarItemReinsertedId)
#define STBViewerNotFound LoadTBResString(STBViewerNotFoundId)
#define STBChevronItemMoreButtonHint LoadTBResString(STBChevronItemMoreButtonHintId)
#define STBMRUListItemDefCaption LoadTBResString(STBMRUListItemDefCaptionId)
#define STBMDIWindowItemDefCaption LoadTBResString(STBMDIWindowItemDefCaptionId)
#define STBDockParentNotAllowed LoadTBResString(STBDockParentNotAllowedId)
#define STBDockCannotChangePosition LoadTBResString(STBDockCannotChangePositionId)
#define STBToolwinNameNotSet LoadTBResString(STBToolwinNameNotSetId)
#define STBToolwinDockedToNameNotSet LoadTBResString(STBToolwinDockedToNameNotSetId)
