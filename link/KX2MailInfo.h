#pragma once
// The logger's network record, filled from the reply to "MAIL DSP". Values are
// kept exactly as the logger sent them.

#include <string>

class CKX2MailInfo {
 public:
  CKX2MailInfo() = default;
  CKX2MailInfo(const CKX2MailInfo&) = default;
  CKX2MailInfo& operator=(const CKX2MailInfo&) = default;
  virtual ~CKX2MailInfo();
  bool operator==(const CKX2MailInfo&) const = default;

  std::string m_strApn;
  std::string m_strUser;
  std::string m_strPassword;
  std::string m_strAuth;
  std::string m_strImei;
  std::string m_strMyDial;
  std::string m_strHost;
  std::string m_strPort;
  std::string m_strPost;
};
