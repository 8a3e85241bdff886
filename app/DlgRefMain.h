#pragma once
// The tabbed panel of logger pages that fills the main window's client area
// while a logger is connected: one tab control and the five pages, each page
// a child dialog laid into the tab's display area.

#include <array>
#include <vector>

#include "app/DlgMainMeasSetting.h"
#include "app/DlgMainRecodeData.h"
#include "app/DlgMainSystem.h"
#include "app/DlgMainTest.h"
#include "app/DlgNetsSim.h"
#include "res/StringIds.h"
#include "ui/Dialog.h"
#include "ui/TabCtrl.h"

class CDlgRefMain : public CDialog {
 public:
  enum { IDD = 314 };
  static constexpr UINT kTab = 1004;

  // A page with its tab's title and its template. In m_pages, one created
  // page: the index of a record is the index of its tab.
  struct PageRecord {
    UINT nTitleId;
    UINT nTemplateId;
    CLoggerPageDlg* pPage;
  };

  CDlgRefMain();
  ~CDlgRefMain() override;

  // Shows the panel for a logger of that kind and fits the frame's client
  // area to it; FALSE when the window cannot be made.
  BOOL ShowPanel(CWnd* frame, int kind);
  // Refreshes every page that has a window.
  void UpdatePages();

  int m_nDeviceKind = -1;
  CDlgMainSystem m_pageSystem;
  CDlgMainMeasSetting m_pageMeasSetting;
  CDlgNetsSim m_pageNetsSim;
  CDlgMainRecodeData m_pageRecodeData;
  CDlgMainTest m_pageTest;
  // Every page of the panel, in tab order: the panel makes, refreshes and
  // ends its pages from here alone.
  const std::array<PageRecord, 5> m_pageTable{{
      {res::kStrTabSystem, CDlgMainSystem::IDD, &m_pageSystem},
      {res::kStrTabMeasurement, CDlgMainMeasSetting::IDD, &m_pageMeasSetting},
      {res::kStrTabCommunication, CDlgNetsSim::IDD, &m_pageNetsSim},
      {res::kStrTabTest, CDlgMainTest::IDD, &m_pageTest},
      {res::kStrTabRecording, CDlgMainRecodeData::IDD, &m_pageRecodeData},
  }};
  std::vector<PageRecord> m_pages;
  CTabCtrl m_tab;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnDestroy() override;
  void OnSize(UINT type, int cx, int cy) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  // Enter must never close the panel, nor an IDCANCEL from anywhere.
  void OnOK() override {}
  void OnCancel() override {}

  BOOL AddPage(UINT nTitleId, UINT nTemplateId);
  void SelectPage();
  void LayoutPages();

 private:
  CLoggerPageDlg* PageOf(UINT nTemplateId);
  // Grows the tab control and the panel until every page's controls fit
  // into the tab's display area.
  void GrowToHoldPages();
};
