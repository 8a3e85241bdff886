#pragma once
// The firmware dialog as the main frame opens it, connected to the
// simulator: image files in a folder of the test's own, the dialog driven
// while it is up, and the logger's traffic since a point.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/DlgFirm.h"
#include "tests/app/PanelFixture.h"
#include "tests/support/TestFolder.h"
#include "tools/samples/HexImage.h"

class FirmwareTest : public PanelTest {
 protected:
  using Strings = std::vector<std::string>;
  static constexpr const char* kNewVersion = "2.05";

  void SetUp() override {
    PanelTest::SetUp();
    // The transfer waits out the logger's flash write (11 s of logger time);
    // replies keep hundreds of ms of real time.
    timeScale.Set(0.15);
    ASSERT_FALSE(dir.empty());
  }

  // An image of this family that brings kNewVersion.
  static std::string GoodImage() { return FirmwareImage({"KESTRX2", kNewVersion}, {"25-01-10", "RG-01"}); }

  std::string WriteFile(const std::string& name, const std::string& bytes) const {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
  }

  // Opens the dialog through the frame and runs `steps` on it while it is up;
  // 閉じる ends it afterwards. Returns once the frame's command has ended.
  void WithDialog(const std::function<void(CDlgFirm&)>& steps) {
    int opened = 0;
    CDialog::SetModalHook([&](CDialog* dlg) {
      auto* firm = dynamic_cast<CDlgFirm*>(dlg);
      if (!firm) return;
      ++opened;
      steps(*firm);
      if (firm->GetSafeHwnd() != 0) Click(*firm, IDOK);
    });
    frame->OnFirmwareUpdate();
    CDialog::SetModalHook(nullptr);
    EXPECT_EQ(opened, 1);
  }

  // ファイルの選択 answered with that path.
  void Choose(CDlgFirm& dlg, const std::string& path) {
    boxes.AnswerPath(path);
    Click(dlg, CDlgFirm::kSelectFile);
  }

  static bool ButtonsEnabled(CDlgFirm& dlg) {
    return Enabled(dlg, CDlgFirm::kSelectFile) && Enabled(dlg, IDOK) && Enabled(dlg, CDlgFirm::kUpdate);
  }

  // The texts of the boxes shown since that many.
  Strings BoxTexts(size_t from = 0) const {
    Strings out;
    for (size_t i = from; i < boxes.boxes.size(); ++i) out.push_back(boxes.boxes[i].text);
    return out;
  }

  // The image's non-empty lines, as the transfer sends them.
  static Strings Lines(const std::string& image) {
    Strings out;
    size_t pos = 0;
    while (pos < image.size()) {
      const size_t end = image.find_first_of("\r\n", pos);
      const size_t stop = end == std::string::npos ? image.size() : end;
      if (stop > pos) out.push_back(image.substr(pos, stop - pos));
      pos = stop + 1;
    }
    return out;
  }

  TestFolder folder{"firmware"};
  std::string dir = folder.Path().string();
};
