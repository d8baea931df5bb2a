// The small "please wait" window shown while the program talks to the network.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

// Made by the main window (its owner) when a network operation starts, shown without a modal loop and freed when
// the operation ends. Its creator may replace the caption and the label's text before showing it. The animation
// runs only while the window is shown.
class TUpdateCheckForm : public TForm {
  Z_CLASS(TUpdateCheckForm, TForm)
public:
  explicit TUpdateCheckForm(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  TLabel* MainLabel = nullptr;
  TAnimate* Animate = nullptr;

  // Starts the animation.
  void FormShow(TObject* Sender);
  // Stops it again.
  void FormHide(TObject* Sender);
};

// The window's own caption and text, kept when a creator gives none.
inline constexpr const char UPDATE_CHECK_CAPTION[] = "ZUB Quillon: Checking for Updates";
inline constexpr const char UPDATE_CHECK_TEXT[] = "Checking for updates, please wait...";
