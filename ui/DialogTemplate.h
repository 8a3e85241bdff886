#pragma once
// CDialogTemplate: a dialog template that can be changed before a dialog is
// built from it (the program replaces the template's font with its dialog
// font at the size chosen for the screen).

#include <string>

#include "res/DialogTemplate.h"
#include "ui/WinDefs.h"

class CDialogTemplate {
 public:
  CDialogTemplate() = default;
  // A template given as data (tests, templates made at run time).
  explicit CDialogTemplate(const res::DialogTemplateData& data);
  CDialogTemplate(const CDialogTemplate& other);
  CDialogTemplate& operator=(const CDialogTemplate& other);

  // Loads the template of that id from the resources; FALSE when none exists.
  BOOL Load(UINT id);
  BOOL SetFont(const std::string& faceName, WORD fontSize);
  BOOL GetFont(std::string& faceName, WORD& fontSize) const;
  bool IsLoaded() const { return m_bLoaded; }
  const res::DialogTemplateData& Data() const { return m_data; }

 private:
  void Rebind();
  res::DialogTemplateData m_data{};
  std::string m_strCaption;
  std::string m_strFace;
  bool m_bLoaded = false;
};
