// The firmware dialog's file side: choosing the image, decoding the header
// strings of its first records, and reading and checking the whole image
// before the transfer.
#include "app/DlgFirm.h"
#include "link/IntelHex.h"
#include "platform/FileRead.h"
#include "platform/Text.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/FileDialog.h"

namespace {
// Records whose data the header strings lie in.
constexpr int kHeaderRecords = 2;

// A character that is no hex digit counts as 0: the header is only shown
// here; the whole image is checked before anything of it is sent.
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}
}  // namespace

int CDlgFirm::LoadFirmwareFile() {
  CFileDialog dlg(TRUE, "hex", "", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "Kestrix2 firmware file(*.hex)|*.hex||", this);
  const std::string title = res::LoadString(res::kStrFileTitle);
  dlg.m_ofn.lpstrTitle = title.c_str();
  dlg.m_ofn.lpstrInitialDir = "";
  if (dlg.DoModal() != IDOK) return kDone;
  const std::string path = dlg.GetPathName();

  std::string head;
  switch (platform::ReadFileStart(path, kHeaderBytes, &head)) {
    case platform::FileReadResult::kRead:
      break;
    case platform::FileReadResult::kCannotOpen:
      return kCannotRead;
    default:
      return kReadFailed;
  }
  if (head.size() < kHeaderBytes || head[0] != ':') return kNotFirmware;
  m_headerStrings = DecodeHeaderStrings(head);
  m_strFilePath = path;
  return kDone;
}

// Decoding walks the text two characters at a time: a ':' skips the byte
// count and address so that the record type comes next, and "00" (the type
// of a data record, or a zero byte) ends a string. A record's line end drops
// what is unfinished, with the checksum that was read as a character.
std::vector<std::string> CDlgFirm::DecodeHeaderStrings(std::string_view head) {
  std::vector<std::string> strings;
  std::string current;
  int lines = 0;
  std::size_t i = 0;
  while (i < head.size()) {
    char c = head[i];
    if (c == ':') {
      if (i + 7 >= head.size()) break;
      i += 7;
      c = head[i];
    }
    if (i + 1 >= head.size()) break;
    const char d = head[i + 1];
    i += 2;
    if (c == '0' && d == '0') {
      if (!current.empty()) strings.push_back(current);
      current.clear();
    } else if (c == '\r' && d == '\n') {
      current.clear();
      if (++lines == kHeaderRecords) break;
    } else {
      current += static_cast<char>(16 * HexDigit(c) + HexDigit(d));
    }
  }
  return strings;
}

bool CDlgFirm::IsModuleHeader(const std::vector<std::string>& header) {
  return header.size() >= kMinHeaderStrings && header[0] == kModuleTag;
}

void CDlgFirm::ShowFirmwareInfo() {
  SetDlgItemText(kFilePath, m_strFilePath);
  std::string text;
  for (const std::string& s : m_headerStrings) text += s + "\r\n";
  // Header bytes are the image maker's 8-bit text; what is not valid UTF-8
  // shows as U+FFFD.
  SetDlgItemText(kHeaderInfo, platform::ToValidUtf8(text));
}

int CDlgFirm::ReadImage() {
  std::string image;
  switch (platform::ReadWholeFile(m_strFilePath, kMaxImageBytes, &image)) {
    case platform::FileReadResult::kRead:
      break;
    case platform::FileReadResult::kTooLarge:
      return kNotFirmware;
    default:
      return kCannotRead;
  }
  // The file may have changed since it was chosen: what counts is what was
  // read now, and a damaged record would be found by the logger only after
  // its memory had been cleared.
  if (image.size() < kHeaderBytes || image[0] != ':') return kNotFirmware;
  std::vector<std::string> header = DecodeHeaderStrings(std::string_view(image).substr(0, kHeaderBytes));
  if (!IsModuleHeader(header)) return kWrongModule;
  if (!intelhex::IsValidImage(image)) return kNotFirmware;
  // What the dialog shows is what goes, before the operator confirms.
  if (header != m_headerStrings) {
    m_headerStrings = std::move(header);
    ShowFirmwareInfo();
  }
  m_strImage = std::move(image);
  return kDone;
}
