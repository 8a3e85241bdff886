#include "ui/DialogTemplate.h"

CDialogTemplate::CDialogTemplate(const res::DialogTemplateData& data) : m_data(data), m_bLoaded(true) {
  m_strCaption = data.caption ? data.caption : "";
  m_strFace = data.fontFace ? data.fontFace : "";
  Rebind();
}

CDialogTemplate::CDialogTemplate(const CDialogTemplate& other)
    : m_data(other.m_data), m_strCaption(other.m_strCaption), m_strFace(other.m_strFace), m_bLoaded(other.m_bLoaded) {
  Rebind();
}

CDialogTemplate& CDialogTemplate::operator=(const CDialogTemplate& other) {
  if (this != &other) {
    m_data = other.m_data;
    m_strCaption = other.m_strCaption;
    m_strFace = other.m_strFace;
    m_bLoaded = other.m_bLoaded;
    Rebind();
  }
  return *this;
}

// The data's strings point into this object's own copies, so a changed font
// name lives as long as the template.
void CDialogTemplate::Rebind() {
  m_data.caption = m_strCaption.c_str();
  m_data.fontFace = m_strFace.c_str();
}

BOOL CDialogTemplate::Load(UINT id) {
  const res::DialogTemplateData* data = res::FindDialogTemplate(id);
  if (!data) return FALSE;
  *this = CDialogTemplate(*data);
  return TRUE;
}

BOOL CDialogTemplate::SetFont(const std::string& faceName, WORD fontSize) {
  if (!m_bLoaded) return FALSE;
  m_strFace = faceName;
  m_data.pointSize = fontSize;
  Rebind();
  return TRUE;
}

BOOL CDialogTemplate::GetFont(std::string& faceName, WORD& fontSize) const {
  if (!m_bLoaded) return FALSE;
  faceName = m_strFace;
  fontSize = static_cast<WORD>(m_data.pointSize);
  return TRUE;
}
