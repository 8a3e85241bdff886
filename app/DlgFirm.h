#pragma once
// The firmware update dialog: the operator chooses an image file "*.hex",
// sees the header strings its first records carry, and on 更新 the image is
// checked, confirmed twice and transferred to the logger line by line as a
// background operation. The main frame opens it and re-reads the logger
// when an update succeeded.
//
// DlgFirm.cpp: the dialog and the update; DlgFirmImage.cpp: reading and
// checking the image file.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/KXCWorkingThread.h"
#include "ui/Dialog.h"
#include "ui/KeyboardHook.h"

class CDlgFirm : public CDialog, public CKXCWorkingThread {
 public:
  enum { IDD = 400 };
  enum : UINT {
    kFilePath = 1002,
    kHeaderInfo = 1003,
    kUpdate = 1266,
    kSelectFile = 1267,
    kWarnings = 1300,
    kCheckFirst = 1323,
  };
  // Results of LoadFirmwareFile and StartUpdate.
  enum : int {
    kDone = 0,             // read, transferred, or the operator declined or cancelled
    kCannotRead = -1,      // the file cannot be opened or read
    kNotFirmware = -2,     // not an image: too short or too long, or a damaged record
    kWrongModule = -3,     // another family's image, too few header strings, or no chord
    kReadFailed = -4,      // the header could not be read
    kTransferFailed = -5,  // the transfer failed (already reported)
  };
  // The two modifiers that must be held while 更新 is clicked: the update
  // erases the logger's memory, so an operator who is not meant to run it
  // should not start it with a stray click.
  static constexpr KeyChord kUpdateUnlockChord{VK_CONTROL, VK_SHIFT};
  // The tag that begins the header of an image of this logger family, and the
  // fewest header strings such an image has.
  static constexpr const char* kModuleTag = "KESTRX2";
  static constexpr std::size_t kMinHeaderStrings = 4;
  // The header lies in the file's first bytes; a shorter file is no image.
  static constexpr std::size_t kHeaderBytes = 512;
  // Larger than any image of the logger's program memory can be as text; a
  // larger file is refused before it is read whole.
  static constexpr std::size_t kMaxImageBytes = 4u << 20;

  explicit CDlgFirm(CWnd* pParent = nullptr);
  ~CDlgFirm() override;

  // Runs from the template with the program's dialog font.
  INT_PTR DoModal() override;
  // The transfer with the progress window: kDone, anything else failure.
  virtual RunResult RunWork(const char* caption);
  WorkResult ThreadWork() override;

  void OnBnClickedSelectFile();
  void OnBnClickedUpdate();
  int LoadFirmwareFile();
  void ShowFirmwareInfo();
  int StartUpdate();

  // The zero-terminated strings in the data of the first two records of an
  // image's first bytes, decoded from the text as it stands. Decoding stops
  // where a record or a hex pair would reach past the bytes given.
  static std::vector<std::string> DecodeHeaderStrings(std::string_view head);
  // An image of this family: its tag first and enough strings after it.
  static bool IsModuleHeader(const std::vector<std::string>& header);

  std::string m_strFilePath;
  std::vector<std::string> m_headerStrings;
  std::string m_strImage;
  int m_bStopFirst = 0;
  int m_bUpdated = 0;
  int m_bInitAfter = 0;

 protected:
  BOOL OnInitDialog() override;
  // Esc must not close the dialog: only 閉じる does.
  void OnCancel() override {}
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

 private:
  // Reads the chosen file once and checks those very bytes: they are the
  // ones that go to the logger.
  int ReadImage();
  void EnableButtons(BOOL enable);
  // A failure box owned by the dialog; nothing for an empty text.
  void ShowFailure(const std::string& text);
};
