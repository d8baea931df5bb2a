// The print preview window: a preview control with zoom, page navigation and printing on a bar of speed buttons.
#pragma once

#include "editor/Easyprint.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ImgList.h"

class TCustomEasyEdit;

// A modeless form; closing it frees it.
class TPreviewForm : public TForm {
  Z_CLASS(TPreviewForm, TForm)
public:
  explicit TPreviewForm(TComponent* AOwner);
  ~TPreviewForm() override;
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  void SetEdit(TCustomEasyEdit* Editor);
  TCustomEasyEdit* GetEdit() const;
  void SetScale(int N);
  void ChangeZoom(bool Force);
  void UpdatePageButtons();

  void cbZoomClick(TObject* Sender);
  void cbZoomKeyPress(TObject* Sender, char& Key);
  void EasyPrintPreviewResize(TObject* Sender);
  void EasyPrintPreviewChange(TObject* Sender);
  void tbOnePageClick(TObject* Sender);
  void tbMultiplePagesClick(TObject* Sender);
  void tbMagnifierClick(TObject* Sender);
  void tbPrintSetupClick(TObject* Sender);
  void tbPrintClick(TObject* Sender);
  void sbFirstPageClick(TObject* Sender);
  void btCloseClick(TObject* Sender);

  bool PercentMode = true;
  TEasyScaleType FitKind = stPageWidth;
  TPanel* ToolPanel = nullptr;
  TEasyPrintPreview* EasyPrintPreview = nullptr;
  TSpeedButton* tbPrint = nullptr;
  TSpeedButton* tbMagnifier = nullptr;
  TSpeedButton* tbOnePage = nullptr;
  TSpeedButton* tbMultiplePages = nullptr;
  TSpeedButton* tbPrintSetup = nullptr;
  TComboBox* cbZoom = nullptr;
  TSpeedButton* sbFirstPage = nullptr;
  TSpeedButton* sbPrevPage = nullptr;
  TSpeedButton* sbNextPage = nullptr;
  TSpeedButton* sbLastPage = nullptr;
  TButton* btClose = nullptr;
  TImageList* ToolbarImages = nullptr;
  TPrintDialog* PrintDialog = nullptr;

private:
  void HandleZoomItem(int Index);
};

// The form variable of the unit; nothing assigns it, a destroyed preview form clears it when it holds that form.
extern TPreviewForm* PreviewForm;

// Opens a preview window of Editor without waiting.
TPreviewForm* PrintPreview(TCustomEasyEdit* Editor);
