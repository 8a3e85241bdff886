#pragma once
// The file outlet of the traffic log: appends bytes raw to one open file.
//
// The file lock guards the stream. The traffic log takes it inside its outer
// lock; the main frame takes it alone to switch recording on and off.

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/CriticalSection.h"

class CMLogFile {
 public:
  CMLogFile();
  virtual ~CMLogFile();
  CMLogFile(const CMLogFile&) = delete;
  CMLogFile& operator=(const CMLogFile&) = delete;

  // Closes an open file, then opens path for appending. 1 when a file is open
  // afterwards, else 0; the path is kept either way.
  int32_t Open(const std::string& path);
  // Appends the bytes as they are; nothing when no file is open.
  virtual void WriteRaw(const char* data, int32_t length);
  void Close();
  bool IsOpen();
  const std::string& GetPath() const { return m_strPath; }

  platform::CriticalSection& FileLock() { return m_csFile; }

 protected:
  // Callers hold the file lock.
  void AppendLocked(const char* data, int32_t length);

 private:
  std::string m_strPath;
  platform::CriticalSection m_csFile;
  std::FILE* m_pFile = nullptr;
};
