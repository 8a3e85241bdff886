#pragma once
// The tabbed panel of logger pages that fills the main window's client area
// while a logger is connected: one tab control and the five pages, each page
// a child dialog laid into the tab's display area.

#include <vector>

#include "app/DlgMainMeasSetting.h"
#include "app/DlgMainRecodeData.h"
#include "app/DlgMainSystem.h"
#include "app/DlgMainTest.h"
#include "app/DlgNetsSim.h"
#include "ui/Dialog.h"
#include "ui/TabCtrl.h"

class CDlgRefMain : public CDialog {
 public:
  enum { IDD = 314 };
  static constexpr UINT kTab = 1004;

  // One created page: the index of a record is the index of its tab.
  struct PageRecord {
    UINT nTitleId;
    UINT nTemplateId;
    CDialog* pPage;
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
  CDialog* PageOf(UINT nTemplateId);
  // Grows the tab control and the panel until every page's controls fit
  // into the tab's display area.
  void GrowToHoldPages();
};
