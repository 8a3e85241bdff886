// The firmware dialog's own side: the header strings it decodes, its colours
// and closing, the file choice, and every refusal before the logger is
// reached.
#include <QImage>
#include <filesystem>

#include "tests/app/FirmwareFixture.h"

namespace {
using Strings = std::vector<std::string>;
const std::string kCrLf = "\r\n";

Strings Decode(const std::string& text) {
  // Exactly the bytes given, so that a read past them is a read past the
  // allocation for the address sanitizer.
  const std::vector<char> bytes(text.begin(), text.end());
  return CDlgFirm::DecodeHeaderStrings(std::string_view(bytes.data(), bytes.size()));
}

// Pixels of the control's rectangle close to that colour (text is drawn
// smoothed, so its edges blend with the background).
int Near(const QImage& image, CWnd* control, QColor c) {
  const QRect r = control->GetWidget()->geometry();
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      const QColor p = image.pixelColor(x, y);
      n += std::abs(p.red() - c.red()) <= 30 && std::abs(p.green() - c.green()) <= 30 &&
                   std::abs(p.blue() - c.blue()) <= 30
               ? 1
               : 0;
    }
  }
  return n;
}
}  // namespace

TEST(FirmwareHeader, StringsOfTheFirstTwoRecords) {
  const std::string image = FirmwareImage({"KESTRX2", "2.05"}, {"25-01-10", "RG-01"});
  EXPECT_EQ(Decode(image.substr(0, 512)), (Strings{"KESTRX2", "2.05", "25-01-10", "RG-01"}));

  // A third record is not decoded, nor is a string cut by a record's end.
  const std::string three = HexLine(0, 0, HeaderData({"KESTRX2", "1.0"}) + "cut") + kCrLf +
                            HexLine(16, 0, HeaderData({"b", "c"})) + kCrLf + HexLine(32, 0, HeaderData({"third"})) +
                            kCrLf;
  EXPECT_EQ(Decode(three), (Strings{"KESTRX2", "1.0", "b", "c"}));

  // Records are found by CR LF only: with bare LF the count never reaches
  // two and the third record's string shows too.
  std::string lf = three;
  for (size_t at; (at = lf.find(kCrLf)) != std::string::npos;) lf.erase(at, 1);
  const Strings decoded = Decode(lf);
  EXPECT_EQ(decoded.front(), "KESTRX2");
  EXPECT_NE(std::find(decoded.begin(), decoded.end(), "third"), decoded.end());
}

TEST(FirmwareHeader, DecodingStopsAtTheEndOfTheBytesRead) {
  const std::string first = HexLine(0, 0, HeaderData({"KESTRX2", "1.0"}));
  // A record that starts too near the end: its prefix would reach past it.
  for (size_t keep = 1; keep <= 8; ++keep) {
    EXPECT_EQ(Decode(first + "\r\n" + HexLine(16, 0, "ab").substr(0, keep)), (Strings{"KESTRX2", "1.0"})) << keep;
  }
  // A hex pair cut in half; an unfinished string at the end is dropped.
  EXPECT_EQ(Decode(first.substr(0, 9 + 2 * 8 + 1)), (Strings{"KESTRX2"}));
  EXPECT_EQ(Decode(first.substr(0, 9 + 2 * 10)), (Strings{"KESTRX2"}));
  EXPECT_EQ(Decode(":"), Strings{});
  EXPECT_EQ(Decode(""), Strings{});
}

TEST_F(FirmwareTest, ColoursAndOnlyCloseEndsTheDialog) {
  ASSERT_TRUE(ConnectOk());
  sim.ClearReceivedCommands();
  WithDialog([&](CDlgFirm& dlg) {
    QWidget* w = dlg.GetWidget();
    EXPECT_EQ(dlg.GetWindowText(), "ファームウェア更新");
    EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
    const QImage image = w->grab().toImage();
    const QColor red(255, 0, 0), blue(100, 100, 255);
    EXPECT_GT(Near(image, dlg.GetDlgItem(CDlgFirm::kWarnings), red), 50);
    EXPECT_EQ(Near(image, dlg.GetDlgItem(CDlgFirm::kWarnings), blue), 0);
    EXPECT_GT(Near(image, dlg.GetDlgItem(CDlgFirm::kCheckFirst), blue), 50);
    EXPECT_EQ(Near(image, dlg.GetDlgItem(CDlgFirm::kCheckFirst), red), 0);
    EXPECT_EQ(
        Near(image, dlg.GetDlgItem(CDlgFirm::kFilePath), red) + Near(image, dlg.GetDlgItem(CDlgFirm::kFilePath), blue),
        0);

    // Esc and a close request leave it up; so does 更新 with no file.
    PressKey(w, Qt::Key_Escape);
    dlg.SendMessage(WM_CLOSE);
    Click(dlg, CDlgFirm::kUpdate);
    PumpAllPendingMessages();
    EXPECT_NE(dlg.GetSafeHwnd(), 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(ButtonsEnabled(dlg));
  });
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(Commands().empty());
}

TEST_F(FirmwareTest, ChoosingAFileShowsItsHeaderAndAFailedChoiceKeepsThePrevious) {
  ASSERT_TRUE(ConnectOk());
  const std::string good = WriteFile("new.hex", GoodImage());
  WithDialog([&](CDlgFirm& dlg) {
    // Cancelled: nothing at all.
    Click(dlg, CDlgFirm::kSelectFile);
    ASSERT_EQ(boxes.fileDialogs.size(), 1u);
    const FileDialogRequest& request = boxes.fileDialogs[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.defaultExt, "hex");
    EXPECT_EQ(request.filter, "Kestrix2 firmware file(*.hex)|*.hex||");
    EXPECT_EQ(request.title, "設定ファイル名入力");
    EXPECT_EQ(request.flags & (OFN_FILEMUSTEXIST | OFN_HIDEREADONLY), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(dlg.GetDlgItemText(CDlgFirm::kFilePath), "");

    const std::string colonAnd511(":" + std::string(510, '0'));
    const struct {
      const char* name;
      std::string bytes;
      const char* box;
    } refused[] = {
        {"short.hex", colonAnd511, "エラー！  設定ファイルではありません"},
        {"bom.hex", "\xEF\xBB\xBF" + GoodImage(), "エラー！  設定ファイルではありません"},
        {"blank.hex", "\r\n" + GoodImage(), "エラー！  設定ファイルではありません"},
        {nullptr, "", "エラー！ ファイルを開くことに失敗しました"},  // missing
    };
    for (const auto& c : refused) {
      boxes.boxes.clear();
      Choose(dlg, c.name ? WriteFile(c.name, c.bytes) : dir + "/missing.hex");
      EXPECT_EQ(BoxTexts(), Strings{c.box}) << (c.name ? c.name : "missing");
      EXPECT_EQ(boxes.boxes.at(0).Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
      EXPECT_EQ(boxes.boxes.at(0).caption, AfxGetAppName());
      EXPECT_EQ(dlg.GetDlgItemText(CDlgFirm::kFilePath), "");
    }

    // 512 bytes beginning with ':' are enough to be taken.
    boxes.boxes.clear();
    const std::string minimal = WriteFile("minimal.hex", colonAnd511 + "0");
    Choose(dlg, minimal);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(dlg.GetDlgItemText(CDlgFirm::kFilePath), minimal);

    Choose(dlg, good);
    EXPECT_EQ(dlg.GetDlgItemText(CDlgFirm::kFilePath), good);
    EXPECT_EQ(dlg.GetDlgItemText(CDlgFirm::kHeaderInfo), "KESTRX2\r\n2.05\r\n25-01-10\r\nRG-01\r\n");
    Choose(dlg, WriteFile("short.hex", colonAnd511));
    EXPECT_EQ(dlg.m_strFilePath, good);
    EXPECT_EQ(dlg.GetDlgItemText(CDlgFirm::kFilePath), good);
    EXPECT_EQ(dlg.GetDlgItemText(CDlgFirm::kHeaderInfo), "KESTRX2\r\n2.05\r\n25-01-10\r\nRG-01\r\n");
    EXPECT_TRUE(ButtonsEnabled(dlg));
  });
}

// Each case: the file as chosen, what becomes of it before 更新, whether the
// chord is held, and the one box that ends the update. Nothing reaches the
// logger in any of them.
TEST_F(FirmwareTest, RefusalsReachNoLogger) {
  ASSERT_TRUE(ConnectOk());
  sim.ClearReceivedCommands();
  const std::string image = GoodImage();
  std::string damaged = image;
  damaged[damaged.size() - 60] ^= 0x01;  // a digit of the last data record
  const std::string threeStrings = FirmwareImage({"KESTRX2", "2.05"}, {"25-01-10"});
  const std::string foreign = FirmwareImage({"KESTRX3", "2.05"}, {"25-01-10", "RG-01"});
  const char* kNotFirmware = "エラー！  設定ファイルではありません";
  const char* kWrongModule = "エラー！  機器が異なります";
  const char* kOpenError = "エラー！ ファイルを開くことに失敗しました";
  const struct {
    const char* what;
    std::string chosen;
    std::function<void(const std::string& path)> change;
    bool chord;
    const char* box;
  } cases[] = {
      {"three strings", threeStrings, nullptr, true, kWrongModule},
      {"foreign tag", foreign, nullptr, true, kWrongModule},
      {"no chord", image, nullptr, false, kWrongModule},
      {"damaged record", damaged, nullptr, true, kNotFirmware},
      {"no end record", image.substr(0, image.size() - 13), nullptr, true, kNotFirmware},
      {"grown too large", image,
       [](const std::string& p) { std::ofstream(p, std::ios::app) << std::string(CDlgFirm::kMaxImageBytes, '\n'); },
       true, kNotFirmware},
      {"became foreign", image, [&](const std::string& p) { std::ofstream(p, std::ios::trunc) << foreign; }, true,
       kWrongModule},
      {"became damaged", image, [&](const std::string& p) { std::ofstream(p, std::ios::trunc) << damaged; }, true,
       kNotFirmware},
      {"removed", image, [](const std::string& p) { std::filesystem::remove(p); }, true, kOpenError},
  };
  WithDialog([&](CDlgFirm& dlg) {
    for (const auto& c : cases) {
      const std::string path = WriteFile("case.hex", c.chosen);
      Choose(dlg, path);
      if (c.change) c.change(path);
      boxes.boxes.clear();
      {
        std::optional<ScopedKeyHold> hold;
        if (c.chord) hold.emplace(CDlgFirm::kUpdateUnlockChord);
        Click(dlg, CDlgFirm::kUpdate);
      }
      EXPECT_EQ(BoxTexts(), Strings{c.box}) << c.what;
      if (!boxes.boxes.empty()) {
        EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION)) << c.what;
      }
      EXPECT_TRUE(ButtonsEnabled(dlg)) << c.what;
    }
  });
  EXPECT_TRUE(Commands().empty());
}

TEST_F(FirmwareTest, DecliningEitherConfirmationSendsNothing) {
  ASSERT_TRUE(ConnectOk());
  sim.ClearReceivedCommands();
  const std::string path = WriteFile("new.hex", GoodImage());
  const UINT kConfirm = MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION;
  WithDialog([&](CDlgFirm& dlg) {
    Choose(dlg, path);
    ScopedKeyHold chord(CDlgFirm::kUpdateUnlockChord);
    // The first is declined, then the second (Cancel is the default button).
    boxes.Answer(IDCANCEL);
    Click(dlg, CDlgFirm::kUpdate);
    boxes.Answer(IDOK);
    Click(dlg, CDlgFirm::kUpdate);
    ASSERT_EQ(boxes.boxes.size(), 3u);
    for (int i : {0, 1, 2}) {
      EXPECT_EQ(boxes.boxes[i].caption, "");
      EXPECT_EQ(boxes.boxes[i].type, kConfirm);
    }
    EXPECT_EQ(boxes.boxes[0].text, boxes.boxes[1].text);
    EXPECT_NE(boxes.boxes[0].text.find("消去されます"), std::string::npos);
    EXPECT_NE(boxes.boxes[2].text.find("初期化されます"), std::string::npos);
    EXPECT_TRUE(ButtonsEnabled(dlg));

    // The file changed since it was chosen into another image of this
    // family: the dialog shows the header of what it would send.
    std::ofstream(path, std::ios::trunc) << FirmwareImage({"KESTRX2", "3.00"}, {"25-02-01", "RG-01"});
    boxes.Answer(IDCANCEL);
    Click(dlg, CDlgFirm::kUpdate);
    EXPECT_EQ(dlg.GetDlgItemText(CDlgFirm::kHeaderInfo), "KESTRX2\r\n3.00\r\n25-02-01\r\nRG-01\r\n");
    EXPECT_EQ(boxes.boxes.size(), 4u);
  });
  EXPECT_TRUE(Commands().empty());
}
