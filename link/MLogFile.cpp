#include "link/MLogFile.h"

CMLogFile::CMLogFile() = default;

CMLogFile::~CMLogFile() { Close(); }

int32_t CMLogFile::Open(const std::string& path) {
  platform::CriticalSectionLock lock(m_csFile);
  if (m_pFile) {
    std::fclose(m_pFile);
    m_pFile = nullptr;
  }
  m_strPath = path;
  // Append, reading allowed, bytes as they are: a log chosen twice grows on.
  m_pFile = std::fopen(m_strPath.c_str(), "a+b");
  if (!m_pFile) return 0;
  std::fseek(m_pFile, 0, SEEK_END);
  return 1;
}

void CMLogFile::WriteRaw(const char* data, int32_t length) {
  platform::CriticalSectionLock lock(m_csFile);
  AppendLocked(data, length);
}

void CMLogFile::Close() {
  platform::CriticalSectionLock lock(m_csFile);
  if (m_pFile) std::fclose(m_pFile);
  m_pFile = nullptr;
}

bool CMLogFile::IsOpen() {
  platform::CriticalSectionLock lock(m_csFile);
  return m_pFile != nullptr;
}

void CMLogFile::AppendLocked(const char* data, int32_t length) {
  if (!m_pFile || !data || length <= 0) return;
  // Write errors are not looked at: the log must never stop the link.
  std::fwrite(data, static_cast<size_t>(length), 1, m_pFile);
  // Flushed per block so that a log survives a crash of the program, and an
  // operator can watch it grow.
  std::fflush(m_pFile);
}
