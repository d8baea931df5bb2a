// The editor options window: the editor and program options, the document types and the file options.
#pragma once

#include "core/Flagword.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

#include <array>
#include <memory>
#include <vector>

class prgconfigclass;
class parserclass;

// The settings word a check box of the window sets or clears a bit of.
enum class OptionWord { EditorOptions, Interface40, Interface2V45, Interface3 };

// One check box of the window and the bit it stands for.
struct TOptionCheckBox {
  const char* Name;
  OptionWord Word;
  std::uint32_t Bit;
};

// Every check box of the window, page by page.
inline constexpr int OPTION_CHECK_BOX_COUNT = 38;
extern const std::array<TOptionCheckBox, OPTION_CHECK_BOX_COUNT> OptionCheckBoxes;

// Made once (by the start-up, or by the first "Editor Options..." command) with the application as owner; its
// window is owned by the main window. The application core deletes it at shutdown. It edits copies of the editor
// options and of the three interface words, filled each time it is shown: OK writes them back, Cancel drops
// them. The document types are edited in place through the document-type window, so Cancel keeps those edits.
class TEditorOptionsForm : public TForm {
  Z_CLASS(TEditorOptionsForm, TForm)
public:
  explicit TEditorOptionsForm(TComponent* AOwner);
  ~TEditorOptionsForm() override;
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TPageControl* PageControl = nullptr;
  TTabSheet* GeneralSheet = nullptr;
  TTabSheet* GeneralSheet2 = nullptr;
  TTabSheet* EditorSheet = nullptr;
  TTabSheet* Editor2Sheet = nullptr;
  TTabSheet* HTMLSheet = nullptr;
  TTabSheet* FileTypesSheet = nullptr;
  TTabSheet* FileOptionsSheet = nullptr;
  TEdit* PreviewExtensionsEdit = nullptr;
  TEdit* RightMarginEdit = nullptr;
  TEdit* TabStopsEdit = nullptr;
  TLabel* FontExampleLabel = nullptr;
  TLabel* FontNameLabel = nullptr;
  TLabel* FontSizeLabel = nullptr;
  TButton* ChangeFontBtn = nullptr;
  TButton* ChangeColorBtn = nullptr;
  TButton* BackgroundColorBtn = nullptr;
  TButton* LineNumberColorBtn = nullptr;
  TListView* FileTypesListView = nullptr;
  TButton* EditRowBtn = nullptr;
  TEdit* DefaultExtEdit = nullptr;
  TComboBox* NoExtensionFileTypeComboBox = nullptr;
  TRadioGroup* SaveFileFormatRadioGroup = nullptr;
  TRadioGroup* DocumentChangesRadioGroup = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* HelpBtn = nullptr;

  // Fills everything from the current settings and makes "General 1" the active page.
  void FormShow(TObject* Sender);
  // The handler of every check box: sets or clears the box's bit in the copies by its new state.
  void OptionCheckBoxClick(TObject* Sender);
  void ChangeFontBtnClick(TObject* Sender);
  void ChangeColorBtnClick(TObject* Sender);
  void BackgroundColorBtnClick(TObject* Sender);
  void LineNumberColorBtnClick(TObject* Sender);
  // The document-type window for the selected row ("First select a row to edit." without one).
  void EditRowBtnClick(TObject* Sender);
  void FileTypesListViewDblClick(TObject* Sender);
  // The help page of the active page.
  void HelpBtnClick(TObject* Sender);
  // Writes the copies back into the settings.
  void OKBtnClick(TObject* Sender);

  // No row of the file types list is selected.
  void ResetDocumentTypeSelection();
  // The check box of the table's row, found in the layout.
  TCheckBox* OptionCheckBox(int Row) const { return FCheckBoxes[static_cast<std::size_t>(Row)]; }

  // The copies being edited.
  std::unique_ptr<prgconfigclass> Options;
  InterfaceFlags40 Flags40;
  InterfaceFlags2V45 Flags2V45;
  InterfaceFlags3 Flags3;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  void FillFileTypes();
  void FillNoExtensionCombo();
  void ShowFont();
  void SetRow(TListItem* Item, const parserclass& Definition);
  bool BitOf(const TOptionCheckBox& Box) const;
  void SetBitOf(const TOptionCheckBox& Box, bool On);
  std::array<TCheckBox*, OPTION_CHECK_BOX_COUNT> FCheckBoxes{};
  bool FFilling = false;
};

// The window while it exists.
extern TEditorOptionsForm* EditorOptionsForm;

// The window's caption and the text of the no-extension combo's first entry.
inline constexpr const char EDITOR_OPTIONS_CAPTION[] = "ZUB Quillon Integrated Editor Options";
inline constexpr const char UNRECOGNIZED_FILE_TYPE[] = "Unrecognized";
