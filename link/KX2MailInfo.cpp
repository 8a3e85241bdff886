#include "link/KX2MailInfo.h"

CKX2MailInfo::CKX2MailInfo() = default;

CKX2MailInfo::CKX2MailInfo(const CKX2MailInfo& other) = default;

CKX2MailInfo& CKX2MailInfo::operator=(const CKX2MailInfo& other) {
  m_strApn = other.m_strApn;
  m_strUser = other.m_strUser;
  m_strPassword = other.m_strPassword;
  m_strAuth = other.m_strAuth;
  m_strImei = other.m_strImei;
  m_strMyDial = other.m_strMyDial;
  m_strHost = other.m_strHost;
  m_strPort = other.m_strPort;
  m_strPost = other.m_strPost;
  return *this;
}

CKX2MailInfo::~CKX2MailInfo() = default;
